// The text of the settings file "zqe2.ini": its sections and their lines, read and written.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct FontRecord {
    int size, family, style, weight;
    std::string face;
};

using KeyValues = std::vector<std::pair<std::string, std::string>>;

struct SettingsData {
    std::optional<std::vector<std::string>> watch;  // absent: no watch section
    std::optional<FontRecord> text_font, output_font;
    KeyValues ver, impresion, ventanas;
    std::vector<std::string> recent_files;  // oldest first
};

extern const char* const SETTINGS_FILE_NAME;

// Reads the file's text (already decoded); stops quietly at whatever does not fit the format,
// keeping what came before, and never reads past the end of a truncated file.
SettingsData parse_settings(const std::string& text);
// The file's text, each line ending in a line feed.
std::string format_settings(const SettingsData& data);
