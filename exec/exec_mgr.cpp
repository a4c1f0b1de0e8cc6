#include "exec/exec_mgr.h"

#include <cassert>
#include <wx/evtloop.h>

#include "app/child_frame.h"
#include "app/ids.h"
#include "app/mytext.h"
#include "app/questions.h"
#include "console/console_ids.h"
#include "console/definput_wx.h"
#include "console/output_display.h"
#include "exec/exec_ids.h"
#include "exec/thread_mgr.h"
#include "exec/wx_zqexec.h"
#include "lang/zqx_disk.h"
#include "util/filenames.h"

namespace {

bool debug_mode(int mode) {
    return mode == MODE_STEP_OVER || mode == MODE_TRACE_INTO || mode == MODE_RUN_TO_CURSOR;
}

wxString trimmed(const std::string& s) {
    return wxString(s.c_str(), wxConvISO8859_1).Trim(true).Trim(false);
}

}  // namespace

ExecMgr::ExecMgr(OutputDisplay* output, mytext* editor, CompMgr* comp, ChildFrame* frame,
                 ErrorDisplay* errors)
    : machine(std::make_unique<WX_ZQExec>(output, errors, frame)),
      output(output),
      editor(editor),
      comp(comp),
      frame(frame) {
    frame->Bind(
        wxEVT_COMMAND_ENTER, [this](wxCommandEvent&) { thread_ended(); }, ID_THREAD_END);
    frame->Bind(
        wxEVT_COMMAND_ENTER,
        [this](wxCommandEvent& event) { tell(this->frame, "Error", event.GetString()); },
        ID_RUN_ERROR_MSG);
}

ExecMgr::~ExecMgr() {
    // The editor window waits for its run's end before it goes.
    assert(!thread);
}

void ExecMgr::llamarInterprete(int mode) {
    if (editor->GetLength() == 0 && editor->getFileName().empty()) {
        editor->SetReadOnly(false);
        return;
    }
    // A worker that is executing has nothing to be given; only a parked one is resumed.
    if (thread && !thread->is_parked()) return;
    if (mode == MODE_RUN || mode == MODE_RUN_TO_CURSOR) editor->HideLastLine();
    if ((editor->BreakPointCount() > 0 || debug_mode(mode)) && !comp->GetTable())
        comp->compiled = false;
    editor->HideErrorLine();
    // Every compile happens here, on the GUI thread: the worker never reads the editor.
    const std::string object = object_name(editor->getFileName().fn_str());
    if (!comp->compiled || !file_exists(object.c_str())) {
        if (!comp->compilar(false) || comp->LastError()) {
            frame->fin_ejecucion();
            return;
        }
        // The previous program goes; a thread parked in it starts the new one when resumed.
        programReset();
    }
    if (editor->getFileName().empty() && !editor->SaveFile()) {
        frame->fin_ejecucion();
        return;
    }
    if (!output->StartExec(thread.get(), frame, mode)) {
        if (!output->IsExecuting(frame)) ShowMsg(L"Ya hay un programa en ejecución");
        if (!thread) frame->fin_ejecucion();
        return;
    }
    caret_line = static_cast<unsigned>(editor->GetCurrentLine() + 1);
    snapshot_breakpoints();
    // Read by the worker only at a fresh start, after it has been started or resumed.
    next_table = comp->table_ref();
    if (thread) {
        thread->resume(mode);
        return;
    }
    thread = std::make_unique<ThreadMgr>(frame, this, mode);
    output->SetThread(thread.get());
    if (thread->Create() != wxTHREAD_NO_ERROR || thread->Run() != wxTHREAD_NO_ERROR) {
        output->EndExec(thread.get());
        thread.reset();
        frame->fin_ejecucion();
    }
}

void ExecMgr::llamarThread(int mode) {
    bool ok = true;
    bool fresh = false;
    switch (machine->getState()) {
        case st_STOPPED:
            fresh = true;
            break;
        case st_PAUSED:
            if (comp->compiled || output->stop_requested()) break;
            if (ask(L"El fuente ha sido modificado.\n¿Compilarlo antes?") == wxYES) {
                programReset();
                fresh = true;
            } else {
                ok = false;
            }
            break;
        default:
            break;
    }
    if (ok && fresh) {
        std::string name;
        if (!codeReadyToRun(&name)) {
            ok = false;
        } else if (init_exec(name.c_str(), "", "", ZQE_CELLS) != 0) {
            // A load failure ends the run without a run-time error.
            ok = false;
            machine->setAbortReason(ar_NONE);
        } else {
            program_table = next_table;
        }
    }
    if (ok) {
        fpu_reset();
        if (fresh) ok = redirigir();
    }
    if (!ok) {
        programReset();
        return;
    }
    marcar_breakpoints();
    machine->exec(mode, caret_line);
    output->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_REDISPLAY));
    if (machine->getState() != st_PAUSED) programReset();
}

bool ExecMgr::codeReadyToRun(std::string* name) {
    *name = comp->CompiledFileName();
    return comp->compiled && !name->empty() && file_exists(name->c_str());
}

int ExecMgr::init_exec(const char* object, const char* input, const char* out, int cells) {
    if (!machine->createStack(cells)) return ar_NO_MEMORY;
    ZQX_Disk disk(machine.get());
    if (const abort_reason r = disk.readFrom(object, 1); r != ar_NONE) return r;
    if (machine->initExec(argv, argc)) {
        if ((*input && !machine->set_stdin(input)) || (*out && !machine->set_stdout(out, "w")))
            return ar_USER_CANCEL;
    }
    if (machine->getAbortReason() != ar_NONE) return machine->getAbortReason();
    machine->get_def_stdin()->set_ifs(",");
    return ar_NONE;
}

bool ExecMgr::redirigir() {
    const wxString in = trimmed(machine->input_file), out = trimmed(machine->output_file);
    machine->input_file = in.ToStdString(wxConvISO8859_1);
    machine->output_file = out.ToStdString(wxConvISO8859_1);
    frame->input_redirected = !in.empty();
    frame->output_redirected = !out.empty();
    if (in.empty())
        machine->close_input_channel();
    else if (!machine->input_from_file())
        return false;
    if (out.empty())
        machine->close_output_channel();
    else if (!machine->output_to_file())
        return false;
    return true;
}

void ExecMgr::snapshot_breakpoints() {
    std::set<unsigned> lines;
    for (int l = editor->MarkerNext(0, 1 << MARKER_BREAKPOINT); l != -1;
         l = editor->MarkerNext(l + 1, 1 << MARKER_BREAKPOINT))
        lines.insert(static_cast<unsigned>(l + 1));
    const std::lock_guard<std::mutex> hold(breakpoints_lock);
    breakpoint_lines = std::move(lines);
}

void ExecMgr::marcar_breakpoints() {
    const std::lock_guard<std::mutex> hold(breakpoints_lock);
    for (int i = 0; i < machine->nextAddr(); ++i) {
        INST* inst = machine->getInst(i);
        if (inst->opcode == i_LINE || inst->opcode == i_LINE_BREAK)
            inst->opcode = breakpoint_lines.count(inst->op2) ? i_LINE_BREAK : i_LINE;
    }
}

void ExecMgr::set_breakpoint(int line, bool on) {
    const std::lock_guard<std::mutex> hold(breakpoints_lock);
    if (on)
        breakpoint_lines.insert(static_cast<unsigned>(line));
    else
        breakpoint_lines.erase(static_cast<unsigned>(line));
    if (!machine->getCodeStart()) return;
    for (int i = 0; i < machine->nextAddr(); ++i) {
        INST* inst = machine->getInst(i);
        if ((inst->opcode == i_LINE || inst->opcode == i_LINE_BREAK) &&
            inst->op2 == static_cast<unsigned>(line)) {
            inst->opcode = on ? i_LINE_BREAK : i_LINE;
            return;
        }
    }
}

void ExecMgr::programReset() {
    machine->stop();
    machine->destroyStack();
    machine->destroyCodeSeg();
    program_table.reset();
}

int ExecMgr::GetExecMode() const {
    return thread ? thread->mode() : 0;
}

void ExecMgr::ShowMsg(const wxString& text) {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_SHOW_MSG);
    event->SetString(text);
    output->GetEventHandler()->QueueEvent(event);
}

void ExecMgr::stop() {
    if (!thread) return;
    if (output->IsExecuting(frame)) output->matar_proceso();
    thread->release_waits();
}

void ExecMgr::thread_ended() {
    if (!thread) return;
    thread->Wait();
    thread.reset();
    if (end_waiter) end_waiter->ScheduleExit();
}

void ExecMgr::wait_for_end() {
    if (!thread) return;
    wxGUIEventLoop loop;
    end_waiter = &loop;
    loop.Run();
    end_waiter = nullptr;
}

int ExecMgr::ask(const wxString& text) {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_ASK);
    event->SetString(text);
    frame->GetEventHandler()->QueueEvent(event);
    ask_sem.Wait();
    return answer_value;
}

void ExecMgr::answer(int a) {
    answer_value = a;
    ask_sem.Post();
}

void ExecMgr::set_arguments(int count, char** vector) {
    argc = count;
    argv = vector;
}
