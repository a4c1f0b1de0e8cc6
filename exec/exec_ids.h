// Messages of the execution manager to its own editor window.
#pragma once

enum {
    // The worker has announced the end of its run and touches nothing more: join it.
    ID_THREAD_END = 7002,
    // A message box with caption "Error" that the worker needs shown (redirection failures).
    ID_RUN_ERROR_MSG = 7003,
};
