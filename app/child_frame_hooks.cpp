// The editor window's commands that belong to the compile, run, debug, find, print and
// error-display parts. Each does nothing until the objects of its part are attached to the
// window; the menus and tools already route to them.
#include "app/child_frame.h"
#include "app/mytext.h"

bool ChildFrame::programa_en_ejecucion() const {
    return false;
}
void ChildFrame::terminar() {}
void ChildFrame::compilar() {}
void ChildFrame::ejecutar() {}
void ChildFrame::trace_into() {}
void ChildFrame::step_over() {}
void ChildFrame::run_to_cursor() {}
void ChildFrame::break_point() {}
void ChildFrame::expr_win() {}
void ChildFrame::ver_ultimo_error() {}
void ChildFrame::buscar() {}
void ChildFrame::find_next() {}
void ChildFrame::reemplazar() {}
void ChildFrame::goto_line() {}
void ChildFrame::print() {}
void ChildFrame::show_error(wxCommandEvent&) {}
void ChildFrame::OnAsk(wxCommandEvent&) {}
void ChildFrame::msg_deb_end(wxCommandEvent&) {}
void ChildFrame::on_sleep_start_timer(wxCommandEvent&) {}
void ChildFrame::on_sleep_timeout(wxTimerEvent&) {}

void ChildFrame::HideLastLineMsg(wxCommandEvent&) {
    text->HideLastLine();
}

void ChildFrame::OnExecEnd(wxCommandEvent& event) {
    text->SetReadOnly(false);
    msg_deb_end(event);
}
