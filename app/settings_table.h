// The process-wide table of named settings (the toolkit's system options).
#pragma once

#include <optional>
#include <wx/string.h>

bool hay_opcion(const wxString& key);
wxString opcion(const wxString& key);  // empty when absent
void poner_opcion(const wxString& key, const wxString& value);
// The value read as a decimal integer; none when absent or not a number.
std::optional<long> opcion_entera(const wxString& key);
