// The main window's commands that belong to the preferences, zoom dialog, printing, help,
// watch-panel, execution-window and execution-environment parts. Each does nothing until its
// part attaches its window; the menus and tools already route to them.
#include "app/child_frame.h"
#include "app/parent_frame.h"

void ParentFrame::on_preferences(wxCommandEvent&) {}
void ParentFrame::on_set_zoom(wxCommandEvent&) {}
void ParentFrame::page_setup(wxCommandEvent&) {}
void ParentFrame::printer_setup(wxCommandEvent&) {}
void ParentFrame::ayuda(wxCommandEvent&) {}
void ParentFrame::on_credits(wxCommandEvent&) {}
void ParentFrame::acercaDe(wxCommandEvent&) {}
void ParentFrame::wlist_command(wxCommandEvent&) {}
void ParentFrame::OnKill(wxCommandEvent&) {}
void ParentFrame::on_exec_env(wxCommandEvent&) {}
void ParentFrame::start_exec(wxCommandEvent&) {}
void ParentFrame::start_deb(wxCommandEvent&) {}
void ParentFrame::end_exec(wxCommandEvent&) {}

// Neither panel exists yet, so the check items and tools stay unchecked.
void ParentFrame::ver_wlist(wxCommandEvent&) {
    if (ChildFrame* child = GetCurrentChild()) child->update_checkable_items();
}

void ParentFrame::showOutscreen(wxCommandEvent&) {
    if (ChildFrame* child = GetCurrentChild()) child->update_checkable_items();
}

std::vector<wxString> ParentFrame::expresiones_vigilancia() const {
    return watch_expressions;
}
