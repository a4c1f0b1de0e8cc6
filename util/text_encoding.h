// Byte-level conversions between the two encodings text comes in: the language's Latin-1 and
// the UTF-8 of today's editors and terminals.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

bool is_valid_utf8(std::string_view text);
std::string latin1_to_utf8(std::string_view text);
// Converts UTF-8 text to Latin-1 into out; a character Latin-1 cannot hold, or a malformed
// byte, becomes '?'. Returns the byte offset (in text) of the first such character, or npos
// when all of it converted.
size_t utf8_to_latin1(std::string_view text, std::string& out);
// Decodes UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
std::string any_to_utf8(std::string_view bytes);

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t utf8_sequence_length(unsigned char lead);
// Decodes one complete sequence of length len; -1 when it is malformed (overlong forms,
// surrogates and values past U+10FFFF included).
long utf8_decode(const unsigned char* bytes, size_t len);
