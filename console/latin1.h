// Conversions between the program's Latin-1 bytes and the toolkit's strings.
#pragma once

#include <string>
#include <wx/string.h>

// Characters beyond Latin-1 become '?', so a typed line never loses its length.
std::string to_latin1(const wxString& text);
wxString from_latin1(const std::string& bytes);
