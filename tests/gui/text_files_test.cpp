// Encodings of source files and the atomic replacement of files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/atomic_file.h"
#include "app/text_encoding.h"

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
    EXPECT_TRUE(utf8_to_latin1(utf8, back));
    EXPECT_EQ(back, all);
}

TEST(TextEncoding, CharactersOutsideLatin1AreReported) {
    std::string out;
    EXPECT_FALSE(utf8_to_latin1("1 \xE2\x82\xAC", out));
    EXPECT_EQ(out, "1 ?");
}

class AtomicFile : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/zqe-atomic-XXXXXX";
        ASSERT_TRUE(mkdtemp(tmpl));
        dir = tmpl;
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dir;
};

TEST_F(AtomicFile, ReplacesContentsKeepingModeAndLinks) {
    const std::string file = dir + "/a.zq", link = dir + "/enlace.zq";
    std::ofstream(file) << "viejo";
    chmod(file.c_str(), 0640);
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    EXPECT_EQ(write_file_atomically(link, "nuevo\n"), WriteResult::ok);
    EXPECT_EQ(read(file), "nuevo\n");
    struct stat st;
    ASSERT_EQ(lstat(link.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomicFile, FailureLeavesNoTemporaryBehind) {
    EXPECT_EQ(write_file_atomically(dir + "/no/existe.zq", "x"), WriteResult::cannot_create);
    const std::string file = dir + "/b.zq";
    EXPECT_EQ(write_file_atomically(file, ""), WriteResult::ok);
    EXPECT_EQ(read(file), "");
    EXPECT_EQ(std::system(("test $(ls " + dir + " | wc -l) -eq 1").c_str()), 0);
}

}  // namespace
