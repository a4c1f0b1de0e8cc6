#include "app/settings_table.h"

#include <wx/sysopt.h>

bool hay_opcion(const wxString& key) {
    return wxSystemOptions::HasOption(key);
}

wxString opcion(const wxString& key) {
    return wxSystemOptions::GetOption(key);
}

void poner_opcion(const wxString& key, const wxString& value) {
    wxSystemOptions::SetOption(key, value);
}

std::optional<long> opcion_entera(const wxString& key) {
    long v;
    if (!hay_opcion(key) || !opcion(key).ToLong(&v)) return std::nullopt;
    return v;
}
