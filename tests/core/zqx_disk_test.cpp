#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "lang/zqexec.h"
#include "lang/zqx_disk.h"
#include "tests/core/cells.h"

namespace {

TEST(Zqxfmt, EncodingTable) {
    struct Case {
        long value;
        unsigned char bytes[4];
    } const cases[] = {
        {1, {0, 0, 0, 1}},          {-1, {0x80, 0, 0, 1}}, {300, {0, 0, 1, 0x2C}},
        {-300, {0x80, 0, 1, 0x2C}}, {0, {0, 0, 0, 0}},     {INT32_MAX, {0x7F, 0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        unsigned char b[4];
        ASSERT_EQ(long_2_zqxfmt(c.value, b, 4), 1);
        EXPECT_EQ(std::memcmp(b, c.bytes, 4), 0) << c.value;
        EXPECT_EQ(zqxfmt_2_long(c.bytes, 4), c.value);
    }
    unsigned char b[4] = {9, 9, 9, 9};
    EXPECT_EQ(long_2_zqxfmt(INT32_MIN, b, 4), 0);
    EXPECT_EQ(long_2_zqxfmt(LONG_MIN, b, 4), 0);
    EXPECT_EQ(b[0], 9) << "a failed conversion writes nothing";
    EXPECT_EQ(long_2_zqxfmt(128, b, 1), 0);
    EXPECT_EQ(long_2_zqxfmt(-127, b, 1), 1);
    EXPECT_EQ(b[0], 0xFF);
}

class ObjectFile : public ::testing::Test {
  protected:
    std::string path;
    ZQExec src{100};

    void SetUp() override {
        char tmpl[] = "/tmp/zqe_zqx_XXXXXX";
        const int fd = mkstemp(tmpl);
        ASSERT_GE(fd, 0);
        ::close(fd);
        path = tmpl;
        ASSERT_TRUE(src.createStack(500));
        ZQVal cells[] = {num_cell(3.14159265L), num_cell(1234567), num_cell(0.1L),
                         bool_cell(true),       bool_cell(false),  str_cell(""),
                         str_cell("hola \xf1u")};
        for (ZQVal& c : cells) src.addConst(&c);
        src.emit(i_LD_CONST, 0, 1);
        src.emit(i_LD_NUM, -99, 0);
        src.emit(i_LD_NUM, -1, 0);
        src.emit(i_LD_NUM, 0, 0);
        src.emit(i_LD_NUM, INT32_MAX, INT32_MAX);
        src.emit(i_JMP, -5, 0);
        src.emit(i_HALT, 0, 0);
        src.setDebugFlag(1);
    }
    void TearDown() override { std::remove(path.c_str()); }

    std::vector<unsigned char> bytes() {
        std::vector<unsigned char> b;
        FILE* f = std::fopen(path.c_str(), "rb");
        for (int c; (c = std::fgetc(f)) != EOF;) b.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        return b;
    }
    void put_bytes(const std::vector<unsigned char>& b) {
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!b.empty()) std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    }
    // Reads the file into a fresh executor.
    abort_reason load(ZQExec& dst) {
        if (!dst.getStackSize()) dst.createStack(500);
        ZQX_Disk disk(&dst);
        return disk.readFrom(path.c_str(), 1);
    }
    void expect_same_program(ZQExec& dst) {
        ASSERT_EQ(dst.nextAddr(), src.nextAddr());
        for (int a = 0; a < src.nextAddr(); ++a) {
            EXPECT_EQ(dst.getInst(a)->opcode, src.getInst(a)->opcode) << a;
            EXPECT_EQ(dst.getInst(a)->op1, src.getInst(a)->op1) << a;
            EXPECT_EQ(dst.getInst(a)->op2, src.getInst(a)->op2) << a;
        }
        EXPECT_EQ(dst.getDebugFlag(), 1);
        ASSERT_EQ(dst.getConstantsSize(), src.getConstantsSize());
        for (int c = 0; c < src.getConstantsSize(); ++c) {
            const ZQVal* a = src.getConstPtr(c);
            const ZQVal* b = dst.getConstPtr(c);
            ASSERT_EQ(a->tipo, b->tipo) << c;
            EXPECT_EQ(zqval_eq(a, b), 1) << c;
        }
    }
};

TEST_F(ObjectFile, RoundTripIsExact) {
    ZQX_Disk disk(&src);
    ASSERT_EQ(disk.writeTo(path.c_str(), 0), ar_NONE);
    ZQExec dst(0);
    ASSERT_EQ(load(dst), ar_NONE);
    expect_same_program(dst);
    EXPECT_EQ(dst.getConstPtr(0)->num, 3.14159265L) << "numbers keep every digit";
}

TEST_F(ObjectFile, LayoutOfHeaderAndConstants) {
    ZQX_Disk disk(&src);
    ASSERT_EQ(disk.writeTo(path.c_str(), 0), ar_NONE);
    const std::vector<unsigned char> b = bytes();
    ASSERT_GE(b.size(), 43u);
    const unsigned char* h = b.data() + b.size() - 43;
    EXPECT_EQ(std::memcmp(h, "_ZQX_Obj_WEK_", 14), 0);
    EXPECT_EQ(std::memcmp(h + 16, "0.7.1", 6), 0);
    EXPECT_EQ(zqxfmt_2_long(h + 27, 4), 7);
    EXPECT_EQ(zqxfmt_2_long(h + 31, 4), 7);
    EXPECT_EQ(zqxfmt_2_long(h + 35, 4), static_cast<long>(b.size()));
    EXPECT_EQ(h[39], 1);
    EXPECT_EQ(h[40], 4);
    EXPECT_EQ(h[41], 4);
    EXPECT_EQ(h[42], 1);
    // The boolean constant (4th) and the empty string (6th) each carry one byte.
    std::size_t pos = 7 * 9;
    for (int c = 0; c < 7; ++c) {
        const long len = zqxfmt_2_long(b.data() + pos + 1, 4);
        if (c == 3 || c == 5) {
            EXPECT_EQ(len, 1) << c;
        }
        pos += 5 + len;
    }
    EXPECT_EQ(pos, b.size() - 43);
}

TEST_F(ObjectFile, AppendedObjectIsFound) {
    put_bytes(std::vector<unsigned char>(1000, 'j'));
    ZQX_Disk disk(&src);
    ASSERT_EQ(disk.writeTo(path.c_str(), 1), ar_NONE);
    EXPECT_EQ(bytes()[0], 'j');
    ZQExec dst(0);
    ASSERT_EQ(load(dst), ar_NONE);
    expect_same_program(dst);
}

TEST_F(ObjectFile, SixDigitConstantsStillLoad) {
    ZQExec one(10);
    one.createStack(500);
    ZQVal v = num_cell(1234567);
    one.addConst(&v);
    one.emit(i_HALT);
    ZQX_Disk(&one).writeTo(path.c_str(), 0);
    // Rewrite the constant as the six-digit text of older files, same length kept.
    std::vector<unsigned char> b = bytes();
    const std::string old = "1.23457e+06";
    const std::size_t at = 9 + 5;
    std::vector<unsigned char> patched(b.begin(), b.begin() + at - 4);
    unsigned char len[4];
    long_2_zqxfmt(static_cast<long>(old.size() + 1), len, 4);
    patched.insert(patched.end(), len, len + 4);
    patched.insert(patched.end(), old.begin(), old.end());
    patched.push_back(0);
    patched.insert(patched.end(), b.end() - 43, b.end());
    const long total = static_cast<long>(patched.size());
    long_2_zqxfmt(total, patched.data() + patched.size() - 43 + 35, 4);
    put_bytes(patched);
    ZQExec dst(0);
    ASSERT_EQ(load(dst), ar_NONE);
    EXPECT_EQ(dst.getConstPtr(0)->num, 1234570);
}

TEST_F(ObjectFile, WriteFailures) {
    ZQX_Disk disk(&src);
    EXPECT_EQ(disk.writeTo("/no/such/dir/x.zqx", 0), ar_WRITE_FILE);
    src.emit(i_LD_NUM, INT32_MIN, 0);
    EXPECT_EQ(disk.writeTo(path.c_str(), 0), ar_WRITE_FILE);
}

TEST_F(ObjectFile, ReadFailureTable) {
    ZQX_Disk disk(&src);
    ASSERT_EQ(disk.writeTo(path.c_str(), 0), ar_NONE);
    const std::vector<unsigned char> good = bytes();
    const std::size_t h = good.size() - 43;
    auto with = [&](std::size_t at, std::vector<unsigned char> patch) {
        std::vector<unsigned char> b = good;
        std::copy(patch.begin(), patch.end(), b.begin() + at);
        return b;
    };
    const std::size_t consts = 7 * 9;  // first constant: the number
    const std::size_t num_nul = consts + 5 + zqxfmt_2_long(good.data() + consts + 1, 4) - 1;
    struct Case {
        const char* name;
        std::vector<unsigned char> file;
        abort_reason code;
    } const cases[] = {
        {"text file", std::vector<unsigned char>(100, 'a'), ar_NOT_ZQX},
        {"shorter than a header", std::vector<unsigned char>(good.end() - 42, good.end()),
         ar_NOT_ZQX},
        {"empty", {}, ar_NOT_ZQX},
        {"old version", with(h + 16, {'0', '.', '7', '.', '0'}), ar_BAD_VERSION},
        {"no instructions", with(h + 27, {0, 0, 0, 0}), ar_NOT_ZQX},
        {"no constants", with(h + 31, {0, 0, 0, 0}), ar_NOT_ZQX},
        {"huge instruction count", with(h + 27, {0x7F, 0xFF, 0xFF, 0xFF}), ar_NOT_ZQX},
        {"huge constant count", with(h + 31, {0x7F, 0xFF, 0xFF, 0xFF}), ar_NOT_ZQX},
        {"negative count", with(h + 27, {0x80, 0, 0, 7}), ar_NOT_ZQX},
        {"total beyond the file", with(h + 35, {0, 0, 0x7F, 0}), ar_NOT_ZQX},
        {"op1 field of 5 bytes", with(h + 40, {5}), ar_NOT_ZQX},
        {"opcode field of 0 bytes", with(h + 39, {0}), ar_NOT_ZQX},
        {"truncated code", std::vector<unsigned char>(good.begin() + 20, good.end()), ar_NOT_ZQX},
        {"constant length past header", with(consts + 1, {0, 0, 0x10, 0}), ar_NOT_ZQX},
        {"constant length negative", with(consts + 1, {0x80, 0, 0, 5}), ar_NOT_ZQX},
        {"number without NUL", with(num_nul, {'9'}), ar_NOT_ZQX},
        {"unknown tag", with(consts, {7}), ar_UNKNOWN_TYPE},
        {"jump outside the code", with(5 * 9 + 1, {0x7F, 0, 0, 0}), ar_NOT_ZQX},
        {"constant index outside the pool", with(1, {0, 0, 0, 9}), ar_NOT_ZQX},
    };
    for (const Case& c : cases) {
        put_bytes(c.file);
        ZQExec dst(0);
        EXPECT_EQ(load(dst), c.code) << c.name;
    }
    std::remove(path.c_str());
    ZQExec dst(0);
    EXPECT_EQ(load(dst), ar_READ_FILE);
}

TEST_F(ObjectFile, StackSmallerThanThePool) {
    for (int i = 0; i < 600; ++i) {
        ZQVal v = num_cell(i);
        src.addConst(&v);
    }
    ZQExec big(0);
    big.createStack(1000);
    for (int i = 0; i < 600; ++i) {
        ZQVal v = num_cell(i);
        big.addConst(&v);
    }
    big.createCodeSeg(1);
    big.emit(i_HALT);
    ASSERT_EQ(ZQX_Disk(&big).writeTo(path.c_str(), 0), ar_NONE);
    ZQExec small(0);
    small.createStack(500);
    EXPECT_EQ(load(small), ar_STACK_OVERFLOW);
}

// Every single corrupted byte and every truncation of a valid file gives a code or a
// loadable program, never a crash (the sanitizer build watches the reads).
TEST_F(ObjectFile, HostileBytesNeverCrash) {
    ASSERT_EQ(ZQX_Disk(&src).writeTo(path.c_str(), 0), ar_NONE);
    const std::vector<unsigned char> good = bytes();
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (unsigned char x : {0x01, 0x80, 0xFF}) {
            std::vector<unsigned char> b = good;
            b[at] ^= x;
            put_bytes(b);
            ZQExec dst(0);
            load(dst);
        }
    }
    for (std::size_t n = 0; n < good.size(); ++n) {
        put_bytes(std::vector<unsigned char>(good.begin() + n, good.end()));
        ZQExec dst(0);
        const abort_reason r = load(dst);
        if (n > 0) {
            EXPECT_NE(r, ar_NONE) << n;
        }
        put_bytes(std::vector<unsigned char>(good.begin(), good.begin() + n));
        EXPECT_NE(load(dst), ar_NONE) << n;
    }
}

}  // namespace
