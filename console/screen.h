// The text screen of the execution window: the cells of ScreenCells, drawn with the output
// font on the screen panel. Writes only mark the pending-redraw region of the execution
// window; the GUI thread draws from it on its timer and on paint events.
#pragma once

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>

#include "console/screen_cells.h"

class OutputDisplay;
class wxDC;
class wxWindow;

class Screen : public ScreenCells {
  public:
    Screen(wxWindow* host, OutputDisplay* display);

    // Empties the cells; the next redraw paints the whole screen in the current background.
    // The execution window's clear() adds the wait for that redraw during a run.
    void Cls();
    // The pixel position of the cell after the cursor's: where the line-input box starts.
    wxPoint PixelsPos() const;
    void SetFont(const wxFont& f);
    const wxFont& GetFont() const { return font; }
    int GetCharWidth() const { return char_width; }
    int GetCharHeight() const { return char_height; }
    // The colour that fills empty cells; a clear-screen takes the current background's.
    const wxColour& background() const { return screen_background; }
    void set_background(const wxColour& c) { screen_background = c; }

    // GUI thread: asks for a redraw of a rectangle (pixels) or of the whole screen.
    void Refresh(const wxRect& rect);
    void RefreshAll();
    // GUI thread, inside a paint of the host: draws the cells that meet `box` (pixels).
    void privRefresh(wxDC& dc, const wxRect& box);

  private:
    void mark(int x1, int y1, int x2, int y2) override;
    void Draw(wxDC& dc, int col, int row, int ncols, int nrows);

    wxWindow* host;
    OutputDisplay* display;
    wxFont font;
    int char_width = 8, char_height = 16;
    wxColour screen_background = *wxWHITE;
    bool background_changed = false;
};
