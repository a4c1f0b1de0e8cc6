// The interpreter's worker thread: runs the program of one editor window through its execution
// manager, and parks at every debugger stop until it is resumed or stopped.
#pragma once

#include <atomic>
#include <mutex>
#include <wx/thread.h>

class ChildFrame;
class ExecMgr;

// Joinable and owned by the execution manager, which joins it once the run's end has been
// announced: nothing the thread uses can be freed while it still runs.
class ThreadMgr : public wxThread {
  public:
    ThreadMgr(ChildFrame* editor, ExecMgr* mgr, int mode);

    // GUI thread: resumes a parked thread with a new mode. false when it was not parked.
    bool resume(int mode);
    // A user stop (GUI thread): releases a debugger park, now or when the worker reaches it.
    // The execution window releases every other wait of the worker.
    void release_waits();
    bool is_parked();
    int mode() const { return run_mode; }

  protected:
    ExitCode Entry() override;
    void OnExit() override;

  private:
    // Worker: at a debugger stop, parks until resumed; the flag is raised before the stop is
    // announced, so a step or a stop that arrives meanwhile is never lost.
    void park();

    ExecMgr* mgr;
    std::atomic<int> run_mode;
    ChildFrame* editor;
    wxSemaphore resume_sem{0, 1};
    std::mutex park_lock;
    bool parked = false;
    bool stop_seen = false;
};
