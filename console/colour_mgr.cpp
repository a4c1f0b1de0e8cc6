#include "console/colour_mgr.h"

#include <wx/gdicmn.h>

namespace {

// Numbers 4 and 10 share a name, so looking a colour up always yields 4.
const char* const COLOUR_NAMES[ZQ_COLOURS] = {
    "BLACK",      "BLUE",       "GREEN",  "LIGHT BLUE", "RED",        "MEDIUM VIOLET RED",
    "ORANGE",     "LIGHT GREY", "GREY",   "LIGHT BLUE", "LIME GREEN", "SKY BLUE",
    "ORANGE RED", "PINK",       "YELLOW", "WHITE"};

}  // namespace

std::optional<wxColour> ColourMgr::GetWXColour(int n) const {
    if (!valid(n)) return std::nullopt;
    const wxColour c = wxTheColourDatabase->Find(COLOUR_NAMES[n - 1]);
    if (!c.IsOk()) return std::nullopt;
    return c;
}

int ColourMgr::GetZQColour(const wxColour& c) const {
    const wxString name = wxTheColourDatabase->FindName(c);
    if (name.empty()) return 0;
    for (int n = 1; n <= ZQ_COLOURS; ++n)
        if (name.IsSameAs(COLOUR_NAMES[n - 1], false)) return n;
    return 0;
}
