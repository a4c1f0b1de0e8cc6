#include "app/text_encoding.h"

#include <algorithm>

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0.
size_t sequence_length(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    size_t n;
    unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0) lo = 0xA0;  // overlong
        if (c == 0xED) hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0) lo = 0x90;  // overlong
        if (c == 0xF4) hi = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    if (b(i + 1) < lo || b(i + 1) > hi) return 0;
    for (size_t k = 2; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    return n;
}

}  // namespace

bool is_valid_utf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const size_t n = sequence_length(bytes, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string latin1_to_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
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

bool utf8_to_latin1(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    bool all = true;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const size_t n = std::max<size_t>(sequence_length(utf8, i), 1);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && n == 2) {
            out += static_cast<char>(((c & 0x03) << 6) | (utf8[i + 1] & 0x3F));
        } else {
            out += '?';
            all = false;
        }
        i += n;
    }
    return all;
}

std::string any_to_utf8(std::string_view bytes) {
    return is_valid_utf8(bytes) ? std::string(bytes) : latin1_to_utf8(bytes);
}
