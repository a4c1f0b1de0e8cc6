// The atomic replacement of files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/atomic_file.h"

namespace {

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
