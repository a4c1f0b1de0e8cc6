#include "console/latin1.h"

std::string to_latin1(const wxString& text) {
    std::string out;
    out.reserve(text.length());
    for (const wxUniChar c : text)
        out.push_back(c.GetValue() < 256 ? static_cast<char>(c.GetValue()) : '?');
    return out;
}

wxString from_latin1(const std::string& bytes) {
    return wxString(bytes.data(), wxConvISO8859_1, bytes.size());
}
