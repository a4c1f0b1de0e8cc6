// Reading and writing the settings file "zqe2.ini" in the home directory.
#include <fstream>
#include <sstream>
#include <wx/filefn.h>
#include <wx/utils.h>

#include "app/atomic_file.h"
#include "app/parent_frame.h"
#include "app/settings_file.h"
#include "app/settings_table.h"
#include "util/text_encoding.h"

namespace {

// The font numbers of the file are the toolkit's old codes; weights are kept as 90 to 92.
wxFont font_from_record(const FontRecord& r) {
    return wxFont(r.size, static_cast<wxFontFamily>(r.family), static_cast<wxFontStyle>(r.style),
                  static_cast<wxFontWeight>(r.weight), false, wxString::FromUTF8(r.face));
}

int legacy_weight(wxFontWeight w) {
    switch (w) {
        case wxFONTWEIGHT_LIGHT:
            return 91;
        case wxFONTWEIGHT_BOLD:
            return 92;
        case wxFONTWEIGHT_NORMAL:
            return 90;
        default:
            return w;
    }
}

FontRecord record_from_font(const wxFont& f) {
    return {f.GetPointSize(), f.GetFamily(), f.GetStyle(), legacy_weight(f.GetWeight()),
            f.GetFaceName().utf8_string()};
}

const FontRecord DEFAULT_FONT{10, 72, 90, 90, "courier"};

std::string settings_path() {
    return std::string((wxGetHomeDir() + "/" + SETTINGS_FILE_NAME).fn_str());
}

std::string u8(const wxString& s) {
    return s.utf8_string();
}

}  // namespace

void ParentFrame::LoadDefaultSettings() {
    poner_opcion("WATCHLIST", "1");
    poner_opcion("NUMEROLINEA", "1");
    poner_opcion("INDENTACION", "1");
    poner_opcion("CWD", wxGetCwd());
    poner_opcion("IMPRIMIR_COLOR", "1");
}

void ParentFrame::LoadSettings() {
    std::ifstream in(settings_path(), std::ios::binary);
    SettingsData data;
    if (in) {
        std::ostringstream bytes;
        bytes << in.rdbuf();
        data = parse_settings(latin1_to_utf8(bytes.str()));
    }
    if (data.watch)
        for (const auto& e : *data.watch) watch_expressions.push_back(wxString::FromUTF8(e));
    for (const KeyValues* kv : {&data.ver, &data.impresion, &data.ventanas})
        for (const auto& [k, v] : *kv) poner_opcion(wxString::FromUTF8(k), wxString::FromUTF8(v));
    for (const auto& f : data.recent_files) recent.push(wxString::FromUTF8(f));
    SetTextFont(font_from_record(data.text_font.value_or(DEFAULT_FONT)));
    FontRecord out_default = DEFAULT_FONT;
    out_default.size = 11;
    output_font = font_from_record(data.output_font.value_or(out_default));
    poner_opcion("WATCHLIST", "1");
}

void ParentFrame::SaveSettings() {
    SettingsData data;
    data.watch.emplace();
    for (const wxString& e : expresiones_vigilancia()) data.watch->push_back(u8(e));
    data.text_font = record_from_font(text_font_);
    data.output_font = record_from_font(output_font);
    for (const char* key : {"NUMEROLINEA", "INDENTACION", "IMPRIMIR_COLOR", "ZOOM"})
        data.ver.emplace_back(key, u8(opcion(key)));
    data.impresion.emplace_back("PRINTERCOMMAND", u8(printer_command));
    if (IsIconized()) Maximize(false);
    const wxRect r = GetRect();
    const wxString exec_x = opcion("EXECWIN_X"), exec_y = opcion("EXECWIN_Y");
    data.ventanas = {{"MAINWIN_MAX", IsMaximized() ? "1" : "0"},
                     {"MAINWIN_WIDTH", std::to_string(r.width)},
                     {"MAINWIN_HEIGHT", std::to_string(r.height)},
                     {"MAINWIN_X", std::to_string(r.x)},
                     {"MAINWIN_Y", std::to_string(r.y)},
                     {"EXECWIN_X", u8(exec_x.empty() ? "0" : exec_x)},
                     {"EXECWIN_Y", u8(exec_y.empty() ? "0" : exec_y)}};
    const int first = recent.get_newest_file_index();
    for (int k = 0; k < RecentFiles::SLOTS; ++k) {
        const wxString& f = recent.get_recent_file_name((first + k) % RecentFiles::SLOTS);
        if (!f.empty()) data.recent_files.push_back(u8(f));
    }
    std::string bytes;
    utf8_to_latin1(format_settings(data), bytes);
    write_file_atomically(settings_path(), bytes);
}
