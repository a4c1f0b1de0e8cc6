#include "util/text_encoding.h"

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
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
    return cp;
}

namespace {

// The code point of the sequence at text[i] and its length; -1 (length 1) when malformed.
long decode_at(std::string_view text, size_t i, size_t& len) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    len = utf8_sequence_length(bytes[i]);
    const long cp = i + len <= text.size() ? utf8_decode(bytes + i, len) : -1;
    if (cp < 0) len = 1;
    return cp;
}

}  // namespace

bool is_valid_utf8(std::string_view text) {
    for (size_t i = 0, len = 0; i < text.size(); i += len)
        if (decode_at(text, i, len) < 0) return false;
    return true;
}

size_t utf8_to_latin1(std::string_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    size_t first_bad = std::string::npos;
    for (size_t i = 0, len = 0; i < text.size(); i += len) {
        const long cp = decode_at(text, i, len);
        if (cp < 0 || cp > 0xFF) {
            if (first_bad == std::string::npos) first_bad = i;
            out += '?';
        } else {
            out += static_cast<char>(cp);
        }
    }
    return first_bad;
}

std::string latin1_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
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

std::string any_to_utf8(std::string_view bytes) {
    return is_valid_utf8(bytes) ? std::string(bytes) : latin1_to_utf8(bytes);
}
