// The editor window's commands that belong to the compile, run, debug, find, print and
// error-display parts. Compile, run, debug and error display are wired to the objects of
// exec/; the others do nothing until their parts attach to the window.
#include <wx/evtloop.h>

#include "app/app.h"
#include "app/child_frame.h"
#include "app/ids.h"
#include "app/mytext.h"
#include "app/parent_frame.h"
#include "app/questions.h"
#include "console/console_ids.h"
#include "console/output_display.h"
#include "exec/compmgr.h"
#include "exec/error_display.h"
#include "exec/exec_mgr.h"
#include "exec/wx_zqexec.h"

namespace {
const int RUN_COMMANDS[] = {ID_EJECUTAR, ID_TRACE_INTO, ID_STEP_OVER, ID_RUN_TO_CURSOR};
}

void ChildFrame::create_exec_parts() {
    errors = new ErrorDisplay(this, wxID_ANY, L"Error de compilación", text);
    comp = std::make_unique<CompMgr>(errors, text, this);
    exec_mgr =
        std::make_unique<ExecMgr>(parent->execution_window(), text, comp.get(), this, errors);
}

ChildFrame::~ChildFrame() = default;

bool ChildFrame::programa_en_ejecucion() const {
    return exec_mgr && exec_mgr->has_thread();
}

void ChildFrame::marcar_modificado() {
    if (comp && !programa_en_ejecucion()) comp->compiled = false;
}

void ChildFrame::terminar() {
    OutputDisplay* output = parent->execution_window();
    output->set_terminate_in_progress(true);
    DoKill();
    parent->exec_finished();
    tell(this, "Mensaje", L"Ejecución interrumpida por usuario");
    output->set_terminate_in_progress(false);
}

void ChildFrame::terminar_y_esperar() {
    terminar();
    exec_mgr->wait_for_end();
}

void ChildFrame::DoKill() {
    if (!programa_en_ejecucion()) return;
    text->SetReadOnly(false);
    HideLastLine();
    exec_mgr->stop();
}

void ChildFrame::compilar() {
    guardar();
    comp->compilar(true);
}

void ChildFrame::ejecutar() {
    text->SetReadOnly(true);
    exec_mgr->llamarInterprete(MODE_RUN);
}

void ChildFrame::iniciar_depuracion() {
    debugging = true;
    menu_bar->Enable(ID_TERMINAR, true);
    for (const int id : {ID_EJECUTAR, ID_TRACE_INTO, ID_STEP_OVER}) menu_bar->Enable(id, false);
}

void ChildFrame::step_command(int mode) {
    text->SetReadOnly(true);
    text->HideLastLine();
    iniciar_depuracion();
    exec_mgr->llamarInterprete(mode);
}

void ChildFrame::trace_into() {
    step_command(MODE_TRACE_INTO);
}

void ChildFrame::step_over() {
    step_command(MODE_STEP_OVER);
}

void ChildFrame::run_to_cursor() {
    text->SetReadOnly(true);
    exec_mgr->llamarInterprete(MODE_RUN_TO_CURSOR);
}

void ChildFrame::break_point() {
    const bool modified = text->IsModified();
    const bool was_compiled = comp->compiled;
    const int line = text->GetCurrentLine();
    const bool on = !text->isMarked(line);
    if (on)
        text->AddBreakPoint(line);
    else
        text->DelBreakPoint(line);
    // A breakpoint is not an edit.
    if (!modified) text->SetSavePoint();
    exec_mgr->set_breakpoint(line + 1, on);
    comp->compiled = was_compiled;
}

void ChildFrame::ver_ultimo_error() {
    if (!errors->getLastError()) {
        tell(this, "Mensaje", "No hay mensaje que mostrar");
        return;
    }
    errors->Show(errors->last_mode());
}

void ChildFrame::show_error(wxCommandEvent& event) {
    errors->Show(event.GetInt());
    DoKill();
}

void ChildFrame::OnAsk(wxCommandEvent& event) {
    // A stopped run needs no answer; the worker only has to be let go.
    int answer = wxNO;
    if (!parent->execution_window()->stop_requested())
        answer = ask(this, L"Atención!", event.GetString(), wxYES_NO);
    if (answer == wxYES && !(comp->compilar(false) && !comp->LastError())) answer = wxNO;
    if (answer == wxNO) DoKill();
    exec_mgr->answer(answer);
}

void ChildFrame::HideLastLine() {
    GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_HIDE_LAST_LINE));
}

void ChildFrame::HideLastLineMsg(wxCommandEvent&) {
    const bool was_compiled = comp->compiled;
    text->HideLastLine();
    comp->compiled = was_compiled;
}

void ChildFrame::ShowCurrentLine() {
    text->ShowLine(static_cast<int>(exec_mgr->GetExec()->CurrentLine()) - 1);
}

void ChildFrame::deb_end() {
    ask_gui_and_wait(GetEventHandler(), new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_DEB_END));
}

void ChildFrame::fin_ejecucion() {
    text->SetReadOnly(false);
    fin_depuracion();
}

void ChildFrame::fin_depuracion() {
    if (!debugging) return;
    debugging = false;
    for (const int id : RUN_COMMANDS) menu_bar->Enable(id, true);
    parent->tool_bar()->EnableTool(ID_EJECUTAR, true);
}

// Only the queued message answers the worker's deb_end; a direct call of the same work
// (fin_depuracion) never releases a wait it was not asked for.
void ChildFrame::msg_deb_end(wxCommandEvent&) {
    fin_depuracion();
    release_waiting_worker();
}

void ChildFrame::OnExecEnd(wxCommandEvent&) {
    text->HideLastLine();
    fin_ejecucion();
}

void ChildFrame::UpdateExecUI() {
    for (const int id : RUN_COMMANDS) menu_bar->Enable(id, parent->main_menu_bar()->IsEnabled(id));
}

void ChildFrame::expr_win() {}
void ChildFrame::buscar() {}
void ChildFrame::find_next() {}
void ChildFrame::reemplazar() {}
void ChildFrame::goto_line() {}
void ChildFrame::print() {}
