// The main window's commands that belong to the preferences, zoom dialog, printing, help,
// watch-panel, execution-window and execution-environment parts. Each does nothing until its
// part attaches its window; the menus and tools already route to them.
#include "app/child_frame.h"
#include "app/parent_frame.h"

#include "app/ids.h"
#include "console/output_display.h"

void ParentFrame::on_preferences(wxCommandEvent&) {}
void ParentFrame::on_set_zoom(wxCommandEvent&) {}
void ParentFrame::page_setup(wxCommandEvent&) {}
void ParentFrame::printer_setup(wxCommandEvent&) {}
void ParentFrame::ayuda(wxCommandEvent&) {}
void ParentFrame::on_credits(wxCommandEvent&) {}
void ParentFrame::acercaDe(wxCommandEvent&) {}
void ParentFrame::wlist_command(wxCommandEvent&) {}
void ParentFrame::on_exec_env(wxCommandEvent&) {}

// Neither panel exists yet, so the check items and tools stay unchecked.
void ParentFrame::ver_wlist(wxCommandEvent&) {
    if (ChildFrame* child = GetCurrentChild()) child->update_checkable_items();
}

// A user who hides the window keeps it hidden while the program prints.
void ParentFrame::showOutscreen(wxCommandEvent&) {
    if (!output_display) return;
    output_display->show_win(!output_display->IsShown());
    output_display->set_show_on_output(output_display->IsShown());
}

void ParentFrame::enable_ver_outscreen(bool shown) {
    menu_bar->Check(ID_SHOW_OUTSCREEN, shown);
    toolbar->ToggleTool(ID_SHOW_OUTSCREEN, shown);
    if (ChildFrame* child = GetCurrentChild()) child->menus()->Check(ID_SHOW_OUTSCREEN, shown);
}

namespace {

// The four run commands and the run tool change together.
void set_run_commands(ParentFrame& main, bool on) {
    main.tool_bar()->EnableTool(ID_EJECUTAR, on);
    for (const int id : {ID_EJECUTAR, ID_STEP_OVER, ID_TRACE_INTO, ID_RUN_TO_CURSOR}) {
        main.main_menu_bar()->Enable(id, on);
        if (ChildFrame* child = main.GetCurrentChild()) child->menus()->Enable(id, on);
    }
}

}  // namespace

void ParentFrame::EnableExec() {
    set_run_commands(*this, true);
}

void ParentFrame::DisableExec() {
    set_run_commands(*this, false);
}

std::vector<wxString> ParentFrame::expresiones_vigilancia() const {
    return watch_expressions;
}
