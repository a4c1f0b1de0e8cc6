// Ids of the execution window: its internal messages (command events of the "enter" type sent
// by the worker thread and the execution manager), its timers, tools and child controls.
#pragma once

enum {
    ID_PAINT_RELAY = 19,  // the screen panel asks its parent to redraw the panel's update area
    ID_ENABLE_EXEC = 100,
    ID_DISABLE_EXEC = 200,
    ID_READ_LINE = 1019,
    ID_READ_KEY = 1020,
    ID_SHOW_MSG = 1021,
    ID_START_TIMER = 1024,
    ID_SHOW_WIN = 1025,
    ID_REDISPLAY = 1036,
    ID_REFRESH_ALL = 1039,
};

// Window and tool ids inside the execution window.
enum {
    ID_OUTPUT_DISPLAY = 7,
    ID_INPUT_BOX = 4,
    ID_INPUT_BUTTON = 15,
    ID_KILL_TOOL = 17,
    ID_HIDE_TOOL = 18,
    ID_REFRESH_TIMER = 500,
    ID_KEY_TIMER = 600,
    ID_REDISPLAY_TIMER = 700,
    ID_HISTORY_LIST = 9000,
};

// Run modes of the execution manager; the window behaves differently while stepping.
constexpr int MODE_RUN = 0;
constexpr int MODE_STEP_OVER = 121;
constexpr int MODE_TRACE_INTO = 122;
constexpr int MODE_RUN_TO_CURSOR = 134;
