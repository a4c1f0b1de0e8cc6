#include "console/input_box.h"

#include <wx/gdicmn.h>

InputBox::InputBox(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxWANTS_CHARS),
      text_ctrl(new wxTextCtrl(this, id, "", wxPoint(-2, -2), wxDefaultSize,
                               wxTE_PROCESS_ENTER | wxBORDER_NONE)) {
    text_ctrl->SetMaxLength(max_chars);
    Bind(wxEVT_CHAR, &InputBox::on_char, this);
}

void InputBox::SetBackground(const wxColour& screen_background) {
    const wxColour grey = wxTheColourDatabase->Find("LIGHT GREY");
    const wxColour c = screen_background == grey ? *wxWHITE : grey;
    SetBackgroundColour(c);
    text_ctrl->SetBackgroundColour(c);
}

// The control is larger than the box by its border on every side, so the border is clipped.
void InputBox::Dim(int w, int h) {
    SetSize(wxSize(w, h));
    text_ctrl->SetSize(-2, -2, w + 4, h + 4);
}

void InputBox::Pos(int x, int y) {
    Move(x, y);
}

void InputBox::on_char(wxKeyEvent& event) {
    GetParent()->GetEventHandler()->ProcessEvent(event);
}
