#include "console/screen_panel.h"

#include <wx/dcbuffer.h>

#include "console/output_display.h"

ScreenPanel::ScreenPanel(OutputDisplay* parent, wxWindowID id, const wxPoint& pos,
                         const wxSize& size, long style)
    : wxPanel(parent, id, pos, size, style), display(parent) {
    // Every pixel is painted by the screen, so the toolkit need not erase first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_CHAR, &ScreenPanel::on_char, this);
    Bind(wxEVT_SET_FOCUS, &ScreenPanel::on_focus, this);
    Bind(wxEVT_PAINT, &ScreenPanel::on_paint, this);
}

void ScreenPanel::on_char(wxKeyEvent& event) {
    display->GetEventHandler()->ProcessEvent(event);
}

void ScreenPanel::on_focus(wxFocusEvent& event) {
    display->GetEventHandler()->ProcessEvent(event);
    event.Skip();
}

// GTK draws only inside a paint, so the execution window draws here rather than through a
// client context from its timer.
void ScreenPanel::on_paint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    display->paint_screen(dc, GetUpdateRegion().GetBox());
}
