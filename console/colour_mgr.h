// The sixteen colour numbers of the language and their named toolkit colours.
#pragma once

#include <optional>
#include <wx/colour.h>

constexpr int ZQ_COLOURS = 16;

class ColourMgr {
  public:
    // The colour of number n (1..16), or nothing outside that range or when the toolkit's
    // colour database lacks the name.
    std::optional<wxColour> GetWXColour(int n) const;
    // The first number whose name the database gives for c, or 0 when c has no name there
    // or its name is not one of the sixteen.
    int GetZQColour(const wxColour& c) const;

    static bool valid(int n) { return n >= 1 && n <= ZQ_COLOURS; }
};
