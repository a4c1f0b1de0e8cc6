// Byte-level conversions between the two encodings source files come in: UTF-8 and Latin-1.
#pragma once

#include <string>
#include <string_view>

bool is_valid_utf8(std::string_view bytes);
std::string latin1_to_utf8(std::string_view bytes);
// False when the text holds a character that Latin-1 cannot represent; out then has '?' there.
bool utf8_to_latin1(std::string_view utf8, std::string& out);
// Decodes UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
std::string any_to_utf8(std::string_view bytes);
