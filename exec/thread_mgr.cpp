#include "exec/thread_mgr.h"

#include "app/child_frame.h"
#include "console/output_display.h"
#include "exec/exec_ids.h"
#include "exec/exec_mgr.h"
#include "exec/wx_zqexec.h"

ThreadMgr::ThreadMgr(ChildFrame* editor, ExecMgr* mgr, int mode)
    : wxThread(wxTHREAD_JOINABLE), mgr(mgr), run_mode(mode), editor(editor) {}

bool ThreadMgr::resume(int mode) {
    const std::lock_guard<std::mutex> hold(park_lock);
    if (!parked) return false;
    run_mode = mode;
    parked = false;
    resume_sem.Post();
    return true;
}

void ThreadMgr::release_waits() {
    const std::lock_guard<std::mutex> hold(park_lock);
    stop_seen = true;
    if (parked) {
        parked = false;
        resume_sem.Post();
    }
}

bool ThreadMgr::is_parked() {
    const std::lock_guard<std::mutex> hold(park_lock);
    return parked;
}

void ThreadMgr::park() {
    {
        const std::lock_guard<std::mutex> hold(park_lock);
        if (stop_seen) return;
        parked = true;
    }
    editor->ShowCurrentLine();
    editor->deb_end();
    resume_sem.Wait();
}

wxThread::ExitCode ThreadMgr::Entry() {
    WX_ZQExec* machine = mgr->GetExec();
    for (;;) {
        mgr->llamarThread(run_mode);
        if (machine->getState() != st_PAUSED) break;
        park();
    }
    return nullptr;
}

void ThreadMgr::OnExit() {
    mgr->programReset();
    mgr->GetExec()->output()->EndExec(this);
    // Last of all: the editor window joins this thread when it gets the message.
    editor->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_THREAD_END));
}
