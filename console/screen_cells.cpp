#include "console/screen_cells.h"

#include <algorithm>

#include "console/colour_mgr.h"

namespace {

constexpr int TAB_WIDTH = 8;

// Each tab becomes the blanks that bring the next character to a multiple of 8, counting
// from the last newline of the text or, on the cursor's line, from the cursor.
std::string expand_tabs(const std::string& text, int cursor_column) {
    std::string out;
    out.reserve(text.size());
    int col = cursor_column + 1;
    for (const char ch : text) {
        if (ch == '\t') {
            const int n = TAB_WIDTH - (col % ScreenCells::columns) % TAB_WIDTH;
            out.append(n, ' ');
            col += n;
        } else if (ch != '\r') {
            out.push_back(ch);
            col = ch == '\n' ? 0 : col + 1;
        }
    }
    return out;
}

}  // namespace

void ScreenCells::Print(const char* text) {
    std::string rest = expand_tabs(text, cur_col);
    size_t pos = 0;
    while (pos < rest.size()) {
        size_t e = rest.find('\n', pos);
        if (e == std::string::npos) e = rest.size();
        size_t len = std::min<size_t>(e - pos, columns - cur_col - 1);
        if (len > 0) PutString(rest.substr(pos, len));
        pos += len;
        if (pos < rest.size() && rest[pos] == '\n') {
            PutString("\n");
            ++pos;
        }
    }
}

void ScreenCells::PutString(const std::string& piece) {
    const bool newline = piece == "\n";
    if (newline) {
        cur_col = -1;
        AvanzarLinea();
    } else {
        ++cur_col;
    }
    // The cursor came round to the row shown on top: the ring is full.
    if (phys_row == top && log_row != 0) {
        Scroll();
        mark(0, 0, columns - 1, rows - 1);
    }
    if (newline) return;
    const unsigned char attr = static_cast<unsigned char>(((fg - 1) << 4) | (bg - 1));
    const int first = cur_col;
    for (const char ch : piece) {
        chars[phys_row * columns + cur_col] = static_cast<unsigned char>(ch);
        attrs[phys_row * columns + cur_col] = attr;
        ++cur_col;
    }
    --cur_col;
    mark(first, log_row, cur_col + 2, log_row);
    if (cur_col == columns - 1) {
        cur_col = -1;
        AvanzarLinea();
    }
}

void ScreenCells::AvanzarLinea() {
    log_row = std::min(log_row + 1, rows - 1);
    phys_row = (phys_row + 1) % rows;
}

void ScreenCells::Scroll() {
    ClearLine(top);
    top = (top + 1) % rows;
}

void ScreenCells::ClearLine(int physical_row) {
    std::fill_n(chars.begin() + physical_row * columns, columns, 0);
}

void ScreenCells::clear_cells() {
    mark(0, 0, columns - 1, rows - 1);
    chars.fill(0);
    top = phys_row = log_row = 0;
    cur_col = -1;
}

void ScreenCells::SetPos(int column, int row) {
    cur_col = column - 2;
    log_row = row - 1;
    phys_row = (row - 1 + top) % rows;
}

void ScreenCells::GetPos(int* column, int* row) const {
    *column = cur_col;
    *row = log_row;
}

void ScreenCells::SetColour(int f, int b) {
    if (ColourMgr::valid(f)) fg = static_cast<unsigned char>(f);
    if (ColourMgr::valid(b)) bg = static_cast<unsigned char>(b);
}

void ScreenCells::GetColour(int* f, int* b) const {
    *f = fg;
    *b = bg;
}

void ScreenCells::DelLine(int row, int col) {
    if (row < 0 || row >= rows || col < 0 || col >= columns) return;
    std::fill_n(chars.begin() + index(col, row), columns - col, 0);
    mark(col, row, columns - 1, row);
}

std::string ScreenCells::row_text(int row) const {
    std::string s(columns, ' ');
    for (int c = 0; c < columns; ++c)
        if (const unsigned char ch = char_at(c, row)) s[c] = static_cast<char>(ch);
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

void ScreenCells::mark(int, int, int, int) {}
