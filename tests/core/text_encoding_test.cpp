// Conversions between Latin-1 and UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "util/text_encoding.h"

namespace {

TEST(TextEncoding, TellsUtf8FromLatin1) {
    struct Case {
        std::string bytes;
        bool utf8;
    };
    const Case cases[] = {
        {"", true},
        {"programa x", true},
        {"a\xC3\xB1o", true},         // año in UTF-8
        {"a\xF1o", false},            // año in Latin-1
        {"\xE2\x82\xAC", true},       // euro sign
        {"\xC0\xAF", false},          // overlong '/'
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
        {"\xC3", false},              // cut short
        {"\xE2\x82", false},          // cut short
        {"\xF0\x9F\x98\x80", true},   // 4-byte sequence
    };
    for (const Case& c : cases) EXPECT_EQ(is_valid_utf8(c.bytes), c.utf8) << c.bytes;
}

TEST(TextEncoding, Latin1RoundTripsEveryByte) {
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    const std::string utf8 = latin1_to_utf8(all);
    EXPECT_TRUE(is_valid_utf8(utf8));
    std::string back;
    EXPECT_EQ(utf8_to_latin1(utf8, back), std::string::npos);
    EXPECT_EQ(back, all);
}

TEST(TextEncoding, CharactersOutsideLatin1AreReported) {
    std::string out;
    EXPECT_EQ(utf8_to_latin1("1 \xE2\x82\xAC x", out), 2u);
    EXPECT_EQ(out, "1 ? x");
    EXPECT_EQ(utf8_to_latin1("a\xF1o", out), 1u);  // a Latin-1 byte is not UTF-8
    EXPECT_EQ(out, "a?o");
}

}  // namespace
