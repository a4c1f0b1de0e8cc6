#include "cli/latin1.h"

size_t utf8_sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

long utf8_decode(const unsigned char* bytes, size_t len) {
    static const long kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (len == 1) return bytes[0] < 0x80 ? bytes[0] : -1;
    long cp = bytes[0] & (0x7F >> len);
    for (size_t i = 1; i < len; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (bytes[i] & 0x3F);
    }
    // Overlong forms, surrogates and values past the last code point are not UTF-8.
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    return cp;
}

bool is_valid_utf8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        const size_t len = utf8_sequence_length(bytes[i]);
        if (i + len > text.size() || utf8_decode(bytes + i, len) < 0) return false;
        i += len;
    }
    return true;
}

size_t utf8_to_latin1(std::string_view text, std::string& out) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    out.clear();
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t len = utf8_sequence_length(bytes[i]);
        const long cp = i + len <= text.size() ? utf8_decode(bytes + i, len) : -1;
        if (cp < 0 || cp > 0xFF) return i;
        out += static_cast<char>(cp);
        i += len;
    }
    return std::string::npos;
}

std::string latin1_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
