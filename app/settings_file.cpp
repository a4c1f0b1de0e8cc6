#include "app/settings_file.h"

#include <charconv>

const char* const SETTINGS_FILE_NAME = "zqe2.ini";

namespace {

const std::string FIN = "[FIN]";
const std::string H_WATCH = "[EXPRESIONES DEL WATCHLIST]";
const std::string H_TEXT_FONT = "[FUENTE TEXTO]";
const std::string H_OUTPUT_FONT = "[FUENTE SALIDA]";
const std::string H_VER = "[VER]";
const std::string H_IMPRESION = "[IMPRESION]";
const std::string H_VENTANAS = "[VENTANAS]";
const std::string H_RECENT = "[ARCHIVOS RECIENTES]";

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        // A file edited on another system may carry carriage returns.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<int> parse_int(const std::string& s) {
    int v;
    const char* end = s.data() + s.size();
    const auto [p, ec] = std::from_chars(s.data(), end, v);
    if (ec != std::errc() || p != end || s.empty()) return std::nullopt;
    return v;
}

class Reader {
  public:
    explicit Reader(const std::string& text) : lines(split_lines(text)) {}

    SettingsData read() {
        while (i < lines.size()) {
            if (lines[i].empty()) {
                ++i;
                continue;
            }
            if (i + 1 >= lines.size()) break;  // a header with nothing after it
            const std::string header = lines[i++];
            if (!section(header)) break;
        }
        return std::move(data);
    }

  private:
    // Reads the body of one section and the line that closes it; false stops the reading.
    bool section(const std::string& header) {
        if (header == H_WATCH) {
            data.watch.emplace();
            for_each_body_line([&](const std::string& l) { data.watch->push_back(l); });
        } else if (header == H_TEXT_FONT || header == H_OUTPUT_FONT) {
            auto font = read_font();
            if (!font) return false;
            (header == H_TEXT_FONT ? data.text_font : data.output_font) = std::move(font);
        } else if (header == H_VER || header == H_IMPRESION || header == H_VENTANAS) {
            KeyValues& kv = header == H_VER         ? data.ver
                            : header == H_IMPRESION ? data.impresion
                                                    : data.ventanas;
            for_each_body_line([&](const std::string& l) {
                const size_t eq = l.find('=');
                if (eq != std::string::npos) kv.emplace_back(l.substr(0, eq), l.substr(eq + 1));
            });
        } else if (header == H_RECENT) {
            for_each_body_line([&](const std::string& l) {
                if (!l.empty()) data.recent_files.push_back(l);
            });
        } else {
            return false;
        }
        return true;
    }

    template <typename F>
    void for_each_body_line(F f) {
        while (i < lines.size() && lines[i] != FIN) f(lines[i++]);
        ++i;
    }

    std::optional<FontRecord> read_font() {
        if (i + 5 > lines.size()) return std::nullopt;
        const auto size = parse_int(lines[i]), family = parse_int(lines[i + 1]),
                   style = parse_int(lines[i + 2]), weight = parse_int(lines[i + 3]);
        if (!size || !family || !style || !weight) return std::nullopt;
        FontRecord f{*size, *family, *style, *weight, lines[i + 4]};
        i += 6;  // the five lines and the one closing the section
        return f;
    }

    std::vector<std::string> lines;
    size_t i = 0;
    SettingsData data;
};

// A value can hold neither a line break nor, on a line of its own, the closing marker.
std::string line_safe(std::string s) {
    for (char& c : s)
        if (c == '\n' || c == '\r') c = ' ';
    if (s == FIN) s.insert(s.begin(), ' ');
    return s;
}

void put(std::string& out, const std::string& line) {
    out += line_safe(line);
    out += '\n';
}

void put_font(std::string& out, const std::string& header, const FontRecord& f) {
    out += header + "\n";
    for (const int v : {f.size, f.family, f.style, f.weight}) put(out, std::to_string(v));
    put(out, f.face);
    out += FIN + "\n";
}

void put_values(std::string& out, const std::string& header, const KeyValues& kv) {
    out += header + "\n";
    for (const auto& [k, v] : kv) put(out, k + "=" + v);
    out += FIN + "\n";
}

}  // namespace

SettingsData parse_settings(const std::string& text) {
    return Reader(text).read();
}

std::string format_settings(const SettingsData& data) {
    std::string out;
    if (data.watch) {
        out += H_WATCH + "\n";
        for (const auto& e : *data.watch) put(out, e);
        out += FIN + "\n";
    }
    if (data.text_font) put_font(out, H_TEXT_FONT, *data.text_font);
    if (data.output_font) put_font(out, H_OUTPUT_FONT, *data.output_font);
    put_values(out, H_VER, data.ver);
    put_values(out, H_IMPRESION, data.impresion);
    put_values(out, H_VENTANAS, data.ventanas);
    out += H_RECENT + "\n";
    for (const auto& f : data.recent_files) put(out, f);
    out += FIN + "\n";
    return out;
}
