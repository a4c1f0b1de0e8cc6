// Command ids of the menus and the tool bar, and of the internal messages the shell handles.
#pragma once

enum {
    ID_SALIR = 10,
    ID_ZOOM = 15,
    ID_ZOOM_IN = 16,
    ID_ZOOM_OUT = 17,
    ID_CERRAR = 20,
    ID_UPDATE_CONTROLS = 24,
    ID_SHOW_ERROR = 25,
    ID_SHOW_OUTSCREEN = 30,
    ID_ABRIR = 50,
    ID_AYUDA = 60,
    ID_NUEVO = 70,
    ID_ACERCA_DE = 80,
    ID_DIRECTORIO = 90,
    ID_VER_WLIST = 100,
    ID_WLIST_INSERT = 110,
    ID_WLIST_DELETE = 120,
    ID_TERMINAR = 130,
    ID_PAGE_SETUP = 140,
    ID_PRINTER_SETUP = 150,
    ID_START_DEB = 151,
    ID_WLIST_EDIT = 152,
    ID_CREDITOS = 153,
    ID_WLIST_DELETEALL = 160,
    ID_EXEC_ENV = 163,
    ID_PREFERENCIAS = 167,
    ID_START_EXEC = 170,
    ID_EXEC_END = 180,
    ID_DESHACER = 1000,
    ID_WLIST_SUBMENU = 1000,
    ID_IMPRIMIR = 1100,
    ID_BUSCAR_OTRA_VEZ = 1200,
    ID_GUARDAR = 500,
    ID_GUARDAR_COMO = 600,
    ID_BUSCAR = 1600,
    ID_REEMPLAZAR = 1700,
    ID_COMPILAR = 1800,
    ID_ULTIMO_ERROR = 1900,
    ID_REHACER = 2000,
    ID_COPIAR = 2100,
    ID_CORTAR = 2200,
    ID_PEGAR = 2300,
    ID_SELECT_ALL = 2400,
    ID_BREAK_POINT = 2500,
    ID_EJECUTAR = 2700,
    ID_TRACE_INTO = 2800,
    ID_STEP_OVER = 2900,
    ID_RUN_TO_CURSOR = 3000,
    ID_EXPR_WIN = 3200,
    ID_INDENTAR = 3500,
    ID_DESINDENTAR = 3600,
    ID_INDENT_GUIDES = 3700,
    ID_LINE_NUMBER = 3800,
    ID_GOTO_LINE = 4000,
    ID_TERMINATE = 4150,
    ID_ASK = 1023,
    ID_HIDE_LAST_LINE = 1027,
    ID_SHOW_LINE = 1028,
    ID_DEB_END = 1037,
    ID_RECENT_FILE = 10000,
};

// Window id of the editor control inside its editor window.
constexpr int ID_EDITOR = 9;

// Editor windows hand these ids to the main window; the main window hands the
// second range to the active editor window.
constexpr int MAIN_IDS_FIRST = 10, MAIN_IDS_LAST = 185;
constexpr int RECENT_IDS_FIRST = 10000, RECENT_IDS_LAST = 10005;
constexpr int EDITOR_IDS_FIRST = 190, EDITOR_IDS_LAST = 4200;
