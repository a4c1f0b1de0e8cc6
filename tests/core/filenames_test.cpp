#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "util/filenames.h"

namespace {

struct SplitCase {
    const char* path;
    int bits;
    const char* drive;
    const char* dir;
    const char* name;
    const char* ext;
};

TEST(FileNames, SplitTable) {
    const SplitCase cases[] = {
        {"prog.zq", 6, "", "", "prog", ".zq"},
        {"dir/sub/a.b.c", 14, "", "dir/sub/", "a.b", ".c"},
        {"c:x", 20, "c:", "", "x", ""},
        {"a*.zq", 7, "", "", "a*", ".zq"},
        {"", 0, "", "", "", ""},
        {"..", 4, "", "", "..", ""},
        {"/home/u/.profile", 12, "", "/home/u/", ".profile", ""},
        {"d:\\x\\y.txt", 30, "d:", "\\x\\", "y", ".txt"},
        {"dir/", 8, "", "dir/", "", ""},
        {"w[1].zq", 7, "", "", "w[1]", ".zq"},
    };
    for (const SplitCase& c : cases) {
        char drive[FN_MAXDRIVE] = "?", dir[FN_MAXDIR] = "?", name[FN_MAXFILE] = "?",
             ext[FN_MAXEXT] = "?";
        EXPECT_EQ(fnsplit(c.path, drive, dir, name, ext), c.bits) << c.path;
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(name, c.name) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
}

TEST(FileNames, SplitAcceptsNullOutputs) {
    char name[FN_MAXFILE];
    EXPECT_EQ(fnsplit("a/b.c", nullptr, nullptr, name, nullptr), 14);
    EXPECT_STREQ(name, "b");
}

TEST(FileNames, OverlongPartsAreRefused) {
    char drive[FN_MAXDRIVE], dir[FN_MAXDIR], name[FN_MAXFILE], ext[FN_MAXEXT];
    const std::string long_ext = "x." + std::string(FN_MAXEXT, 'e');
    EXPECT_EQ(fnsplit(long_ext.c_str(), drive, dir, name, ext), -1);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(ext, "");
    const std::string long_name(FN_MAXFILE, 'n');
    EXPECT_EQ(fnsplit(long_name.c_str(), drive, dir, name, ext), -1);

    char out[FN_MAXPATH];
    EXPECT_FALSE(fnmerge(out, nullptr, long_name.c_str(), "x", nullptr));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(change_extension(out, long_ext.c_str(), ".zqx", 1));
    EXPECT_FALSE(change_extension(out, "prog.zq", long_ext.c_str(), 1));
}

TEST(FileNames, MergeTable) {
    struct Case {
        const char *drive, *dir, *name, *ext, *out;
    } const cases[] = {
        {nullptr, "a\\b", "x", nullptr, "a\\b\\x"}, {nullptr, "a/b", "x", nullptr, "a/b/x"},
        {nullptr, "a/b/", "x", nullptr, "a/b/x"},   {"c:", "", "p", "zq", "c:p.zq"},
        {"", nullptr, "p", ".zq", "p.zq"},          {nullptr, nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        char out[FN_MAXPATH];
        EXPECT_TRUE(fnmerge(out, c.drive, c.dir, c.name, c.ext));
        EXPECT_STREQ(out, c.out);
    }
}

TEST(FileNames, ChangeExtensionTable) {
    struct Case {
        const char *path, *ext;
        int force;
        const char* out;
    } const cases[] = {
        {"prog.zq", ".zqx", 1, "prog.zqx"},
        {"prog.zq", ".zqx", 0, "prog.zq"},
        {"prog", "zqx", 0, "prog.zqx"},
        {"d/e.f/prog.zq", ".zqx", 1, "d/e.f/prog.zqx"},
        {"d/e.f/prog", ".zqx", 0, "d/e.f/prog.zqx"},
    };
    for (const Case& c : cases) {
        char out[FN_MAXPATH];
        EXPECT_TRUE(change_extension(out, c.path, c.ext, c.force));
        EXPECT_STREQ(out, c.out) << c.path;
    }
}

// Runs the body with the working directory set to dir, restoring it after.
template <typename F>
void in_dir(const char* dir, F body) {
    char saved[FN_MAXPATH];
    ASSERT_NE(getcwd(saved, sizeof saved), nullptr);
    ASSERT_EQ(chdir(dir), 0);
    body();
    ASSERT_EQ(chdir(saved), 0);
}

TEST(FileNames, ExpandTable) {
    struct Case {
        const char *path, *out;
    } const cases[] = {
        {"/a/./b/../c", "/a/c"}, {"/../x", "/x"},
        {"//a///b/", "/a/b"},    {"/", "/"},
        {"/a/..", "/"},          {"\\a\\b", "/a/b"},
        {"/a/b/../../..", "/"},  {"/a/\xf1o\xf1o", "/a/\xf1o\xf1o"},
    };
    for (const Case& c : cases) {
        char out[FN_MAXPATH];
        EXPECT_TRUE(expand_fname(c.path, out));
        EXPECT_STREQ(out, c.out) << c.path;
    }
}

TEST(FileNames, ExpandRelativeUsesWorkingDirectory) {
    in_dir("/tmp", [] {
        char out[FN_MAXPATH];
        EXPECT_TRUE(expand_fname("x.txt", out));
        EXPECT_STREQ(out, "/tmp/x.txt");
        EXPECT_TRUE(expand_fname("../tmp/./y", out));
        EXPECT_STREQ(out, "/tmp/y");
    });
}

TEST(FileNames, ExpandRefusesOverlongResult) {
    const std::string path = "/" + std::string(FN_MAXPATH, 'a');
    char out[FN_MAXPATH];
    EXPECT_FALSE(expand_fname(path.c_str(), out));
    EXPECT_STREQ(out, "");
}

class FileTests : public ::testing::Test {
  protected:
    std::string dir;
    void SetUp() override {
        char tmpl[] = "/tmp/zqe_fn_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override {
        const std::string cmd = "chmod -R u+w '" + dir + "' && rm -rf '" + dir + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    std::string make_file(const char* name, const char* text) {
        const std::string path = dir + "/" + name;
        FILE* f = std::fopen(path.c_str(), "w");
        std::fputs(text, f);
        std::fclose(f);
        return path;
    }
};

TEST_F(FileTests, ExistsAndWritable) {
    const std::string f = make_file("a.zq", "hola");
    EXPECT_TRUE(file_exists(f.c_str()));
    EXPECT_TRUE(file_is_writable(f.c_str()));
    EXPECT_FALSE(file_exists((dir + "/missing").c_str()));
    EXPECT_FALSE(file_exists((dir + "/no/such").c_str()));
}

TEST_F(FileTests, WritableTestLeavesFilesAlone) {
    const std::string missing = dir + "/new.txt";
    EXPECT_TRUE(file_is_writable(missing.c_str()));
    EXPECT_FALSE(file_exists(missing.c_str())) << "the test must not create the file";

    const std::string f = make_file("keep.txt", "contenido");
    EXPECT_TRUE(file_is_writable(f.c_str()));
    FILE* in = std::fopen(f.c_str(), "r");
    char buf[32] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, in), nullptr);
    std::fclose(in);
    EXPECT_STREQ(buf, "contenido");

    EXPECT_FALSE(file_is_writable((dir + "/no/such/file").c_str()));
    EXPECT_FALSE(file_is_writable(dir.c_str())) << "a directory is not a writable file";
}

TEST_F(FileTests, ReadOnlyPlacesAreNotWritable) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    const std::string f = make_file("ro.txt", "x");
    ASSERT_EQ(chmod(f.c_str(), 0444), 0);
    EXPECT_FALSE(file_is_writable(f.c_str()));
    ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
    EXPECT_FALSE(file_is_writable((dir + "/new.txt").c_str()));
}

}  // namespace
