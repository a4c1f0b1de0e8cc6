#include "exec/error_display.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/textctrl.h>

#include "app/mytext.h"

namespace {
enum { ID_VER_FUENTE = 10, ID_FOCUS_TIMER = 12 };
constexpr int kFocusDelayMs = 5;
}  // namespace

ErrorDisplay::ErrorDisplay(wxWindow* parent, wxWindowID id, const wxString& title, mytext* editor)
    : wxDialog(parent, id, title, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxSTAY_ON_TOP),
      editor(editor),
      focus_timer(this, ID_FOCUS_TIMER) {
    SetClientSize(400, 100);
    pane = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(400, 70),
                          wxTE_MULTILINE | wxTE_READONLY);
    ver_fuente = new wxButton(this, ID_VER_FUENTE, "Ver fuente", wxPoint(0, 75));
    Bind(wxEVT_BUTTON, &ErrorDisplay::ir, this, ID_VER_FUENTE);
    Bind(wxEVT_CLOSE_WINDOW, &ErrorDisplay::OnClose, this);
    Bind(wxEVT_TIMER, &ErrorDisplay::OnFocusTimer, this, ID_FOCUS_TIMER);
}

void ErrorDisplay::addMessage(const ZQErrorInfo& e) {
    const std::lock_guard<std::mutex> hold(record_lock);
    last_error = e;
}

std::optional<ZQErrorInfo> ErrorDisplay::getLastError() const {
    const std::lock_guard<std::mutex> hold(record_lock);
    return last_error;
}

void ErrorDisplay::clear() {
    pane->Clear();
}

wxString ErrorDisplay::message_text() const {
    return pane->GetValue();
}

void ErrorDisplay::Show(int m) {
    const std::optional<ZQErrorInfo> e = getLastError();
    if (!e) return;
    // The button works on the record shown, whatever a later report stores meanwhile.
    shown = *e;
    const char* message = shown.getMessage();
    pane->Clear();
    pane->AppendText("Error : " + wxString(message ? message : "", wxConvISO8859_1) + "\n");
    SetTitle(m == ERROR_MODE_COMPILE ? L"Error de compilación" : L"Error de ejecución");
    mode = m;
    CentreOnScreen(wxBOTH);
    init_buttons();
    ShowModal();
}

void ErrorDisplay::init_buttons() {
    // The desktop's buttons may be taller than the 25 pixels the layout leaves below the pane.
    SetClientSize(400, std::max(100, 75 + ver_fuente->GetSize().GetHeight() + 4));
    ver_fuente->Show();
    ver_fuente->Move((GetClientSize().GetWidth() - ver_fuente->GetSize().GetWidth()) / 2, 75);
    ver_fuente->SetFocus();
}

void ErrorDisplay::ir(wxCommandEvent&) {
    // A run that failed before its first line marker has no line: the start of the text.
    const int line = std::max(shown.getLineNumber() - 1, 0);
    const int pos = editor->PositionFromLine(line) + shown.getColNumber() - 1;
    editor->SetFocus();
    editor->GotoPos(pos);
    editor->ShowErrorLine(line);
    focus_timer.StartOnce(kFocusDelayMs);
    EndModal(0);
}

void ErrorDisplay::OnClose(wxCloseEvent&) {
    focus_timer.StartOnce(kFocusDelayMs);
    EndModal(0);
}

void ErrorDisplay::OnFocusTimer(wxTimerEvent&) {
    GetParent()->Raise();
    editor->SetFocus();
}
