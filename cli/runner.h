#pragma once

// Exit statuses of zq.
enum ZqStatus {
    zq_OK = 0,
    zq_RUN_ERROR = 1,
    zq_COMPILE_ERROR = 2,
    zq_USAGE_ERROR = 3,
};

// The whole command: options, compile or load, run. Returns the exit status.
int zq_main(int argc, char** argv);
