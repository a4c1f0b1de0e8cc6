// Runs in the execution window: admission, end, user stop, and the worker's screen writes.
#include <wx/app.h>
#include <wx/thread.h>

#include "app/ids.h"
#include "app/parent_frame.h"
#include "app/questions.h"
#include "console/colour_mgr.h"
#include "console/console_ids.h"
#include "console/input_box.h"
#include "console/output_display.h"
#include "console/screen.h"

namespace {

bool debug_mode(int mode) {
    return mode == MODE_STEP_OVER || mode == MODE_TRACE_INTO || mode == MODE_RUN_TO_CURSOR;
}

void post_to(wxWindow* w, int id) {
    if (w) wxQueueEvent(w->GetEventHandler(), new wxCommandEvent(wxEVT_COMMAND_ENTER, id));
}

}  // namespace

void OutputDisplay::print(const char* text) {
    // One request to show the window is enough, however much is printed meanwhile.
    if (!shown && show_on_output && !show_posted.exchange(true)) post(ID_SHOW_WIN, 1);
    const std::lock_guard l(print_lock);
    screen_->Print(text);
}

void OutputDisplay::clear() {
    {
        const std::lock_guard l(print_lock);
        screen_->Cls();
    }
    // The worker must not write on a screen that the GUI thread has not redrawn yet after
    // the clear; the GUI thread itself redraws on its timer instead of waiting on itself.
    if (executing_window() && !wxThread::IsMain())
        refresh_slot.wait([this] { post(ID_REFRESH_ALL); });
    post(ID_START_TIMER);
}

void OutputDisplay::SetCurrentPos(int row, int col) {
    if (row < 1 || row > Screen::rows || col < 1 || col > Screen::columns) return;
    const std::lock_guard l(print_lock);
    screen_->SetPos(col, row);
}

void OutputDisplay::GetCurrentPos(int* row, int* col) const {
    const std::lock_guard l(print_lock);
    int c = 0, r = 0;
    screen_->GetPos(&c, &r);
    *row = r + 1;
    *col = c + 1;
}

void OutputDisplay::SetColour(unsigned char fg, unsigned char bg) {
    const std::lock_guard l(print_lock);
    screen_->SetColour(fg, bg);
}

void OutputDisplay::GetColour(int* fg, int* bg) const {
    const std::lock_guard l(print_lock);
    screen_->GetColour(fg, bg);
}

void OutputDisplay::pausa(int ms) {
    if (ms > 0) sleep_slot.wait({}, ms);
}

bool OutputDisplay::StartExec(ThreadMgr* thread, wxWindow* editor, int run_mode) {
    {
        const std::lock_guard start(start_lock);
        const std::lock_guard term(terminate_lock);
        // A stopped run that has not ended yet is not resumed: its stop would be lost.
        if (terminate_in_progress || (executing && (executing != editor || stop_flag)))
            return false;
        // This window's own program waits for input: the request is not a new run.
        if (reading_line_flag || waiting_for_key_flag) return false;
        if (!executing) {
            stop_flag = false;
            input_slot.reset();
            refresh_slot.reset();
            sleep_slot.reset();
        }
        run_thread = thread;
        executing = editor;
        mode = run_mode;
    }
    if (wxWindow* main = GetParent()) {
        wxCommandEvent started(wxEVT_COMMAND_ENTER,
                               run_mode == MODE_STEP_OVER || run_mode == MODE_TRACE_INTO
                                   ? ID_START_DEB
                                   : ID_START_EXEC);
        main->GetEventHandler()->ProcessEvent(started);
    }
    tools->EnableTool(ID_KILL_TOOL, true);
    {
        const std::lock_guard l(region_lock);
        pending_region.Clear();
    }
    redisplay_timer.Start(50);
    if (debug_mode(run_mode)) {
        show_on_output = false;
        if (!IsShown()) show_win(true);
        if (wxWindow* main = GetParent()) main->Raise();
        if (editor) editor->SetFocus();
    } else {
        show_win(true);
        show_on_output = true;
    }
    return true;
}

void OutputDisplay::SetThread(ThreadMgr* thread) {
    const std::lock_guard l(start_lock);
    run_thread = thread;
}

void OutputDisplay::EndExec(const ThreadMgr* thread) {
    wxWindow* editor = nullptr;
    {
        const std::lock_guard l(start_lock);
        if (!executing || thread != run_thread) return;
        editor = executing;
        executing = nullptr;
        run_thread = nullptr;
    }
    post_to(editor, ID_EXEC_END);
    post_to(GetParent(), ID_EXEC_END);
    post(ID_EXEC_END);
    post(ID_START_TIMER);
}

bool OutputDisplay::IsExecuting(const wxWindow* editor) const {
    const std::lock_guard l(start_lock);
    return executing && executing == editor;
}

wxWindow* OutputDisplay::executing_window() const {
    const std::lock_guard l(start_lock);
    return executing;
}

ThreadMgr* OutputDisplay::thread() const {
    const std::lock_guard l(start_lock);
    return run_thread;
}

void OutputDisplay::matar_proceso() {
    reading_line_flag = false;
    waiting_for_key_flag = false;
    input->Hide();
    input->Disable();
    history_choice->Disable();
    key_timer.Stop();
    stop_flag = true;
    input_slot.stop();
    refresh_slot.stop();
    sleep_slot.stop();
    post(ID_START_TIMER);
}

void OutputDisplay::set_terminate_in_progress(bool on) {
    const std::lock_guard l(terminate_lock);
    terminate_in_progress = on;
}

void OutputDisplay::kill(wxCommandEvent&) {
    if (wxWindow* main = GetParent()) {
        wxCommandEvent stop(wxEVT_MENU, ID_TERMINAR);
        main->GetEventHandler()->ProcessEvent(stop);
    }
}

void OutputDisplay::show_msg(wxCommandEvent& event) {
    tell(this, "Mensaje", event.GetString());
}

void OutputDisplay::OnExecEnd(wxCommandEvent&) {
    tools->EnableTool(ID_KILL_TOOL, false);
    redisplay_timer.Stop();
    wxCommandEvent last(wxEVT_COMMAND_ENTER, ID_REDISPLAY);
    redisplay(last);
}

void OutputDisplay::EnableExec(wxCommandEvent&) {
    tools->EnableTool(ID_HIDE_TOOL, true);
    if (auto* main = dynamic_cast<ParentFrame*>(GetParent())) main->EnableExec();
}

void OutputDisplay::DisableExec(wxCommandEvent&) {
    if (auto* main = dynamic_cast<ParentFrame*>(GetParent())) main->DisableExec();
}
