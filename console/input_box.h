// The line-input box shown on the text screen after the last written cell while a program
// reads a line: a borderless window clipping a single-line text control of 300 characters.
#pragma once

#include <wx/textctrl.h>
#include <wx/window.h>

class InputBox : public wxWindow {
  public:
    static constexpr int max_chars = 300;

    InputBox(wxWindow* parent, wxWindowID id);

    // Light grey, or white when the screen itself is light grey.
    void SetBackground(const wxColour& screen_background);
    void Dim(int w, int h);
    void Pos(int x, int y);
    wxTextCtrl* text() const { return text_ctrl; }

  private:
    void on_char(wxKeyEvent& event);

    wxTextCtrl* text_ctrl;
};
