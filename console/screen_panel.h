// The plain child window of the execution window in which the screen is drawn. Keys and the
// focus go on to the execution window; paints are drawn by it.
#pragma once

#include <wx/panel.h>

class OutputDisplay;

class ScreenPanel : public wxPanel {
  public:
    ScreenPanel(OutputDisplay* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                long style);

  private:
    void on_char(wxKeyEvent& event);
    void on_focus(wxFocusEvent& event);
    void on_paint(wxPaintEvent&);

    OutputDisplay* display;
};
