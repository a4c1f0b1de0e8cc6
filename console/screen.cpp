#include "console/screen.h"

#include <algorithm>
#include <wx/dc.h>
#include <wx/window.h>

#include "console/colour_mgr.h"
#include "console/console_ids.h"
#include "console/output_display.h"

namespace {

// Cells are drawn 2 pixels right of the panel's edge.
constexpr int LEFT_MARGIN = 2;

wxString latin1(const unsigned char* bytes, size_t n) {
    return wxString(reinterpret_cast<const char*>(bytes), wxConvISO8859_1, n);
}

}  // namespace

Screen::Screen(wxWindow* host, OutputDisplay* display) : host(host), display(display) {}

void Screen::mark(int x1, int y1, int x2, int y2) {
    const wxRect r(x1 * char_width, y1 * char_height, (x2 - x1 + 2) * char_width,
                   (y2 - y1 + 2) * char_height);
    const std::lock_guard l(display->region_lock);
    display->pending_region.Union(r);
}

void Screen::Cls() {
    background_changed = true;
    clear_cells();
}

wxPoint Screen::PixelsPos() const {
    int col = 0, row = 0;
    GetPos(&col, &row);
    return wxPoint(col * char_width, row * char_height);
}

void Screen::SetFont(const wxFont& f) {
    font = f;
    // The widest letter sets the cell, so runs of any letters stay inside their cells.
    wxCoord w = 0, h = 0;
    host->GetTextExtent("W", &w, &h, nullptr, nullptr, &font);
    char_width = std::max(1, static_cast<int>(w));
    char_height = std::max(1, static_cast<int>(h));
}

void Screen::Refresh(const wxRect& rect) {
    if (!rect.IsEmpty()) host->RefreshRect(rect, false);
}

void Screen::RefreshAll() {
    host->Refresh(false);
    host->Update();
}

void Screen::privRefresh(wxDC& dc, const wxRect& box) {
    if (background_changed) {
        int f = 0, b = 0;
        GetColour(&f, &b);
        if (const auto c = ColourMgr().GetWXColour(b)) screen_background = *c;
        background_changed = false;
    }
    dc.SetBackground(wxBrush(screen_background));
    dc.SetBrush(wxBrush(screen_background));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(box);
    dc.SetBackgroundMode(wxBRUSHSTYLE_SOLID);
    dc.SetFont(font);
    const int col = std::max(0, (box.x - LEFT_MARGIN) / char_width);
    const int row = std::max(0, box.y / char_height);
    const int last_col = (box.GetRight() - LEFT_MARGIN) / char_width;
    const int last_row = box.GetBottom() / char_height;
    Draw(dc, col, row, last_col - col + 1, last_row - row + 1);
}

void Screen::Draw(wxDC& dc, int col, int row, int ncols, int nrows) {
    nrows = std::min(nrows, rows - row);
    ncols = std::min(ncols, columns - col);
    const ColourMgr colours;
    int in_use = -1;
    unsigned char run[columns];
    for (int r = row; r < row + nrows; ++r) {
        for (int c = col; c < col + ncols;) {
            const unsigned char ch = char_at(c, r);
            if (ch == 0) {
                ++c;
                continue;
            }
            const unsigned char attr = attr_at(c, r);
            if (attr != in_use) {
                in_use = attr;
                dc.SetTextForeground(colours.GetWXColour((attr >> 4) + 1).value_or(*wxBLACK));
                dc.SetTextBackground(colours.GetWXColour((attr & 0xF) + 1).value_or(*wxWHITE));
            }
            const int first = c;
            size_t n = 0;
            while (c < col + ncols && char_at(c, r) != 0 && attr_at(c, r) == attr)
                run[n++] = char_at(c++, r);
            dc.DrawText(latin1(run, n), first * char_width + LEFT_MARGIN, r * char_height);
        }
    }
}
