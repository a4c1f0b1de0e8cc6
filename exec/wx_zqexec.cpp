#include "exec/wx_zqexec.h"

#include <wx/event.h>

#include "app/child_frame.h"
#include "app/ids.h"
#include "console/console_ids.h"
#include "console/definput_wx.h"
#include "console/defoutput_wx.h"
#include "console/output_display.h"
#include "exec/error_display.h"
#include "exec/exec_ids.h"

namespace {

void post(wxEvtHandler* to, int id, int value = 0, const wxString& text = {}) {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, id);
    event->SetInt(value);
    event->SetString(text);
    to->QueueEvent(event);
}

// A message for the GUI thread to show: the worker never opens a dialog.
void post_error(ChildFrame* editor, const wxString& text) {
    post(editor->GetEventHandler(), ID_RUN_ERROR_MSG, 0, text);
}

}  // namespace

WX_ZQExec::WX_ZQExec(OutputDisplay* output, ErrorDisplay* errors, ChildFrame* editor)
    : ZQExec(0),
      win_input(std::make_unique<ZQ_DefInput_WX>(this, output)),
      win_output(std::make_unique<ZQ_DefOutput_WX>(this, output)),
      display(output),
      editor(editor),
      errors(errors) {
    set_def_stdin(win_input.get());
    set_def_stdout(win_output.get());
}

WX_ZQExec::~WX_ZQExec() {
    // The channels go before the base, which would flush them when it stops.
    stop();
}

bool WX_ZQExec::stop_requested() const {
    return display->stop_requested();
}

bool WX_ZQExec::exec(int mode, unsigned caret_line) {
    if (getState() == st_ABORTED) return false;
    setState(st_RUNNING);
    post(display->GetEventHandler(), ID_DISABLE_EXEC);
    int depth = 0;
    if (chkstk(0)) {
        while (getState() == st_RUNNING) {
            if (stop_requested()) {
                setAbortReason(ar_USER_CANCEL);
                setState(st_STOPPED);
                break;
            }
            const INST* pc = getPC();
            switch (pc->opcode) {
                case i_CALL:
                    if (mode == MODE_STEP_OVER) ++depth;
                    break;
                case i_RET:
                    if (mode == MODE_STEP_OVER) --depth;
                    break;
                case i_LINE:
                    current_line = pc->op2;
                    if (mode == MODE_TRACE_INTO || (mode == MODE_STEP_OVER && depth <= 0) ||
                        (mode == MODE_RUN_TO_CURSOR && pc->op2 == caret_line))
                        setState(st_PAUSED);
                    break;
                case i_LINE_BREAK:
                    current_line = pc->op2;
                    setState(st_PAUSED);
                    break;
                default:
                    break;
            }
            // A pause takes effect after the marker has run, so a resume does not stop at it
            // again.
            execOneInst();
        }
    }
    if (getState() == st_ABORTED) {
        reportError();
        stop();
    }
    post(display->GetEventHandler(), ID_ENABLE_EXEC);
    return getAbortReason() == ar_NONE;
}

void WX_ZQExec::reportError() {
    // A user stop is not an error.
    if (stop_requested()) return;
    own_error.setLineNumber(getLine());
    own_error.setColNumber(1);
    const char* text = get_abort_descrip(static_cast<abort_reason>(getAbortReason()));
    own_error.setMessage(std::string(text ? text : "").substr(0, 302).c_str(), nullptr);
    errors->addMessage(own_error);
    post(editor->GetEventHandler(), ID_SHOW_ERROR, ERROR_MODE_RUN);
    win_input->flush();
}

bool WX_ZQExec::input_from_file() {
    if (set_stdin(input_file.c_str())) return true;
    post_error(editor, "No se puede abrir el archivo `" +
                           wxString(input_file.c_str(), wxConvISO8859_1) + L"' para leer de él.");
    return false;
}

bool WX_ZQExec::output_to_file() {
    if (set_stdout(output_file.c_str(), "w")) return true;
    post_error(editor, "No se puede abrir el archivo `" +
                           wxString(output_file.c_str(), wxConvISO8859_1) +
                           L"' para grabar en él.");
    return false;
}

void WX_ZQExec::close_input_channel() {
    set_stdin("");
}

void WX_ZQExec::close_output_channel() {
    set_stdout("", "");
}
