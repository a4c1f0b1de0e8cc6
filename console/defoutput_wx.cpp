#include "console/defoutput_wx.h"

#include <wx/utils.h>

#include "console/colour_mgr.h"
#include "console/output_display.h"
#include "console/screen_cells.h"

namespace {

// Out-of-range numbers must stay out of range after the cut to 8 bits (273 would become 17,
// but 257 would become 1), so they are mapped to 0, which the screen ignores.
unsigned char colour_byte(int n) {
    return ColourMgr::valid(n) ? static_cast<unsigned char>(n) : 0;
}

}  // namespace

ZQ_DefOutput_WX::ZQ_DefOutput_WX(ZQExec* exec, OutputDisplay* display)
    : ZQ_DefOutput_File(exec), display(display) {
    // The screen is the destination; the standard stream is never written.
    file = nullptr;
}

int ZQ_DefOutput_WX::imprimir_str(const char* s) {
    display->print(s);
    return 1;
}

void ZQ_DefOutput_WX::cls() {
    display->clear();
}

void ZQ_DefOutput_WX::beep(int, int millis) {
    // The bell is the desktop's: rung by the GUI thread.
    display->CallAfter([] { wxBell(); });
    display->pausa(millis);
}

void ZQ_DefOutput_WX::set_curpos(int row, int col) {
    display->SetCurrentPos(row, col);
}

void ZQ_DefOutput_WX::get_curpos(int* row, int* col) {
    display->GetCurrentPos(row, col);
}

void ZQ_DefOutput_WX::set_color(int fg, int bg) {
    display->SetColour(colour_byte(fg), colour_byte(bg));
}

void ZQ_DefOutput_WX::get_color(int* fg, int* bg) {
    display->GetColour(fg, bg);
}

void ZQ_DefOutput_WX::get_screen_size(int* rows, int* cols) {
    *rows = ScreenCells::rows;
    *cols = ScreenCells::columns;
}
