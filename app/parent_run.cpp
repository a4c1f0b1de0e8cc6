// The main window's side of running programs: the stop command and the start and end of runs
// as the execution window announces them.
#include "app/child_frame.h"
#include "app/ids.h"
#include "app/parent_frame.h"
#include "console/output_display.h"

void ParentFrame::OnKill(wxCommandEvent&) {
    wxWindow* running = output_display ? output_display->executing_window() : nullptr;
    if (!running) return;
    wxCommandEvent terminate(wxEVT_MENU, ID_TERMINATE);
    terminate.SetEventObject(running);
    running->GetEventHandler()->ProcessEvent(terminate);
}

void ParentFrame::start_exec(wxCommandEvent&) {
    toolbar->EnableTool(ID_TERMINAR, true);
    update_active_controls();
}

void ParentFrame::start_deb(wxCommandEvent&) {
    toolbar->EnableTool(ID_TERMINAR, true);
    if (ChildFrame* child = GetCurrentChild()) child->iniciar_depuracion();
}

void ParentFrame::end_exec(wxCommandEvent&) {
    exec_finished();
    update_active_controls();
}

void ParentFrame::exec_finished() {
    toolbar->EnableTool(ID_TERMINAR, false);
    toolbar->EnableTool(ID_EJECUTAR, true);
}

void ParentFrame::update_active_controls() {
    ChildFrame* child = GetCurrentChild();
    if (!child) return;
    wxCommandEvent update(wxEVT_COMMAND_ENTER, ID_UPDATE_CONTROLS);
    child->GetEventHandler()->ProcessEvent(update);
}

void ParentFrame::detener_programas() {
    for (wxWindow* w : GetClientWindow()->GetChildren())
        if (auto* child = dynamic_cast<ChildFrame*>(w); child && child->programa_en_ejecucion())
            child->terminar_y_esperar();
}
