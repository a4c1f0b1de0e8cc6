#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The language works on Latin-1 bytes; terminals and editors today mostly use UTF-8.

bool is_valid_utf8(std::string_view text);

// Converts valid UTF-8 text to Latin-1 into out. Returns the byte offset (in text) of the
// first character that Latin-1 cannot hold, or npos when all of it converted.
size_t utf8_to_latin1(std::string_view text, std::string& out);

std::string latin1_to_utf8(std::string_view text);

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t utf8_sequence_length(unsigned char lead);

// Decodes one complete, well-formed sequence of length len; -1 when it is malformed.
long utf8_decode(const unsigned char* bytes, size_t len);
