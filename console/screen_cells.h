// The character and colour cells of the 80 x 25 text screen, with the cursor, the current
// colours and the ring of rows that makes scrolling cheap. No drawing happens here: every
// change reports the touched cell rectangle through mark(), so the cell logic works (and is
// tested) without a display.
#pragma once

#include <array>
#include <string>

class ScreenCells {
  public:
    static constexpr int columns = 80;
    static constexpr int rows = 25;

    ScreenCells() = default;
    virtual ~ScreenCells() = default;

    // Writes Latin-1 text at the cursor: tabs to the next multiple of 8, carriage returns
    // dropped, long lines wrapped, the screen scrolled at the bottom.
    void Print(const char* text);
    // Empties every cell and puts the cursor at the start of the top line.
    void clear_cells();
    // 1-based column and row; the next character goes there. Range checks are the caller's.
    void SetPos(int column, int row);
    // (column of the last cell written, logical row), both 0-based; column -1 at a line start.
    void GetPos(int* column, int* row) const;
    // A number outside 1..16 leaves that colour unchanged.
    void SetColour(int fg, int bg);
    void GetColour(int* fg, int* bg) const;
    // Empties logical row `row` from 0-based column `col` to its end.
    void DelLine(int row, int col);
    void ClearLine(int physical_row);
    void Scroll();
    void AvanzarLinea();

    // Cell at a logical position: character (0 = empty) and attribute byte (foreground - 1 in
    // the high nibble, background - 1 in the low one).
    unsigned char char_at(int column, int row) const { return chars[index(column, row)]; }
    unsigned char attr_at(int column, int row) const { return attrs[index(column, row)]; }
    // The text of a logical row, empty cells as blanks, trailing blanks removed.
    std::string row_text(int row) const;
    int top_row() const { return top; }

  protected:
    // Records that the cell rectangle (x1, y1)-(x2, y2), logical rows, needs a redraw.
    virtual void mark(int x1, int y1, int x2, int y2);
    int index(int column, int row) const { return ((top + row) % rows) * columns + column; }

    std::array<unsigned char, columns * rows> chars{};
    std::array<unsigned char, columns * rows> attrs{};
    unsigned char fg = 1, bg = 16;
    int cur_col = -1;  // last cell written on the cursor's row
    int phys_row = 0;  // cursor row in the cell arrays
    int log_row = 0;   // cursor row as the program sees it
    int top = 0;       // physical row shown as logical row 0

  private:
    void PutString(const std::string& piece);
};
