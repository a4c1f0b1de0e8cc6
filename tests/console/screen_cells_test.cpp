// The text screen's cells and cursor after writes, without any drawing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/screen_cells.h"

namespace {

struct Marks : ScreenCells {
    std::vector<std::array<int, 4>> marked;
    void mark(int x1, int y1, int x2, int y2) override { marked.push_back({x1, y1, x2, y2}); }
};

struct PrintCase {
    const char* name;
    std::vector<std::string> writes;
    int row;                     // logical row to look at
    std::string text;            // its text, trailing blanks removed
    int cursor_col, cursor_row;  // as GetPos reports them
};

class PrintTable : public ::testing::TestWithParam<PrintCase> {};

TEST_P(PrintTable, RowTextAndCursor) {
    const PrintCase& c = GetParam();
    ScreenCells s;
    for (const std::string& w : c.writes) s.Print(w.c_str());
    EXPECT_EQ(s.row_text(c.row), c.text);
    int col = 0, row = 0;
    s.GetPos(&col, &row);
    EXPECT_EQ(col, c.cursor_col);
    EXPECT_EQ(row, c.cursor_row);
}

std::string digits(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>('0' + i % 10));
    return s;
}

const PrintCase PRINT_CASES[] = {
    {"plain", {"hola"}, 0, "hola", 3, 0},
    {"tab_after_one_letter", {"a\tb"}, 0, "a       b", 8, 0},
    {"tab_after_eight_digits", {"12345678\tx"}, 0, "12345678        x", 16, 0},
    {"tab_counts_from_cursor", {"abc", "\tz"}, 0, "abc     z", 8, 0},
    {"tab_counts_from_newline", {"abc\nd\te"}, 1, "d       e", 8, 1},
    {"carriage_return_dropped", {"ab\rc"}, 0, "abc", 2, 0},
    {"newline_moves_down", {"uno\ndos"}, 1, "dos", 2, 1},
    {"wrap_after_80", {digits(85)}, 1, "01234", 4, 1},
    {"wrap_keeps_first_line", {digits(85)}, 0, digits(80), 4, 1},
    {"exactly_80_then_newline_leaves_empty_line", {digits(80) + "\nx"}, 2, "x", 0, 2},
    {"exactly_80_then_newline_row_1_empty", {digits(80) + "\nx"}, 1, "", 0, 2},
    {"latin1_bytes_kept", {"a\xf1o \xe9"}, 0, "a\xf1o \xe9", 4, 0},
    {"empty_text_changes_nothing", {""}, 0, "", -1, 0},
};

INSTANTIATE_TEST_SUITE_P(Screen, PrintTable, ::testing::ValuesIn(PRINT_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenScroll, TwentySixthLineScrollsTheTopLineAway) {
    ScreenCells s;
    for (int i = 1; i <= 26; ++i) {
        if (i > 1) s.Print("\n");
        s.Print(("L" + std::to_string(i)).c_str());
    }
    EXPECT_EQ(s.row_text(0), "L2");
    EXPECT_EQ(s.row_text(23), "L25");
    EXPECT_EQ(s.row_text(24), "L26");
    int col = 0, row = 0;
    s.GetPos(&col, &row);
    EXPECT_EQ(row, 24);
}

TEST(ScreenScroll, ManyLinesKeepTheLastTwentyFourAndAnEmptyBottom) {
    ScreenCells s;
    for (int i = 0; i < 1000; ++i) s.Print(("linea " + std::to_string(i) + "\n").c_str());
    EXPECT_EQ(s.row_text(0), "linea 976");
    EXPECT_EQ(s.row_text(23), "linea 999");
    EXPECT_EQ(s.row_text(24), "");
}

TEST(ScreenScroll, ScrollMarksTheWholeGrid) {
    Marks s;
    for (int i = 0; i < 24; ++i) s.Print("x\n");
    s.Print("x");
    s.marked.clear();
    s.Print("\n");
    ASSERT_EQ(s.marked.size(), 1u);
    EXPECT_EQ(s.marked[0], (std::array<int, 4>{0, 0, 79, 24}));
}

TEST(ScreenPosition, SetPosThenWriteAndReadBack) {
    ScreenCells s;
    s.Print("relleno\nrelleno");
    s.SetPos(1, 1);
    s.Print("X");
    EXPECT_EQ(s.char_at(0, 0), 'X');
    int col = 0, row = 0;
    s.GetPos(&col, &row);
    EXPECT_EQ(col, 0);  // the column of the cell just written
    EXPECT_EQ(row, 0);
    s.SetPos(10, 5);
    s.GetPos(&col, &row);
    EXPECT_EQ(col, 8);
    EXPECT_EQ(row, 4);
    s.Print("z");
    EXPECT_EQ(s.char_at(9, 4), 'z');
}

TEST(ScreenPosition, SetPosAfterScrollingUsesTheShownRows) {
    ScreenCells s;
    for (int i = 0; i < 30; ++i) s.Print("linea\n");
    s.SetPos(3, 2);
    s.Print("Q");
    EXPECT_EQ(s.row_text(1), "liQea");
}

TEST(ScreenColour, WrittenCellsTakeTheCurrentColours) {
    ScreenCells s;
    s.SetColour(16, 2);
    s.Print("a");
    s.SetColour(5, 0);  // 0 leaves the background unchanged
    s.Print("b");
    EXPECT_EQ(s.attr_at(0, 0), (15 << 4) | 1);
    EXPECT_EQ(s.attr_at(1, 0), (4 << 4) | 1);
}

TEST(ScreenColour, OutOfRangeNumbersLeaveColoursUnchanged) {
    const int cases[][2] = {{0, 0}, {17, 17}, {-1, 300}, {0, 17}};
    for (const auto& c : cases) {
        ScreenCells s;
        s.SetColour(3, 4);
        s.SetColour(c[0], c[1]);
        int fg = 0, bg = 0;
        s.GetColour(&fg, &bg);
        EXPECT_EQ(fg, 3) << c[0];
        EXPECT_EQ(bg, 4) << c[1];
    }
}

TEST(ScreenClear, EmptiesEveryCellAndHomesTheCursor) {
    Marks s;
    for (int i = 0; i < 40; ++i) s.Print("texto\n");
    s.marked.clear();
    s.clear_cells();
    for (int r = 0; r < ScreenCells::rows; ++r) EXPECT_EQ(s.row_text(r), "") << r;
    int col = 0, row = 0;
    s.GetPos(&col, &row);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(s.top_row(), 0);
    ASSERT_EQ(s.marked.size(), 1u);
    EXPECT_EQ(s.marked[0], (std::array<int, 4>{0, 0, 79, 24}));
}

TEST(ScreenDelLine, EmptiesFromColumnToEndAndIgnoresOutside) {
    ScreenCells s;
    s.Print("abcdef");
    s.DelLine(0, 3);
    EXPECT_EQ(s.row_text(0), "abc");
    s.DelLine(0, 80);
    s.DelLine(25, 0);
    EXPECT_EQ(s.row_text(0), "abc");
}

TEST(ScreenMarks, WritesMarkOnlyTheirCells) {
    Marks s;
    s.Print("\nab");
    ASSERT_FALSE(s.marked.empty());
    EXPECT_EQ(s.marked.back(), (std::array<int, 4>{0, 1, 3, 1}));
}

}  // namespace
