#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "lang/fpu.h"
#include "lang/zqexec.h"
#include "lang/zqval.h"

namespace {

// Runs every case under the program's floating-point set-up (rounding toward +infinity),
// where the C library would otherwise round printed digits upward.
class Conversions : public ::testing::Test {
    uint16_t saved = 0;

  protected:
    void SetUp() override {
        saved = fpu_get_cw();
        fpu_reset();
    }
    void TearDown() override { fpu_set_cw(saved); }
};

TEST_F(Conversions, Num2StrTable) {
    struct Case {
        long double x;
        int width, decimals;
        char fill;
        const char* out;
    } const cases[] = {
        {3.25L, 8, 2, ' ', "    3.25"},    {2, 0, 0, ' ', "2"},      {-7, 5, 1, '*', "*-7.0"},
        {-3.5L, 7, 2, '0', "00-3.50"},     {5, 0, 2, ' ', "5.00"},   {0.25L, 0, 2, ' ', "0.25"},
        {1.0L / 3, 0, 6, ' ', "0.333333"}, {2, -5, 0, ' ', "2    "}, {1.5L, 0, -1, ' ', "1.500000"},
        {0.1L, 0, 6, ' ', "0.100000"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(
            num2str(c.x, static_cast<char>(c.width), static_cast<char>(c.decimals), c.fill), c.out);
}

TEST_F(Conversions, DefaultFormatTable) {
    struct Case {
        long double x;
        const char* out;
    } const cases[] = {
        {1234567, "1.23457e+06"},
        {100000, "100000"},
        {2.50L, "2.5"},
        {0.0625L, "0.0625"},
        {0.0000152587890625L, "1.52588e-05"},
        {0.1L, "0.1"},
        {1.0L / 3, "0.333333"},
        {-0.0L, "-0"},
    };
    for (const Case& c : cases) EXPECT_STREQ(num2str_def_format(c.x), c.out);
}

TEST_F(Conversions, DefaultFormatOfComputedThird) {
    // Division rounds up under the program's mode; printing must still round to nearest.
    volatile long double one = 1, three = 3;
    EXPECT_STREQ(num2str_def_format(one / three), "0.333333");
}

TEST_F(Conversions, HugeNumbersFitTheBuffer) {
    const char* s = num2str(1e4000L, 0, 2, ' ');
    EXPECT_LT(std::strlen(s), 512u);
}

TEST_F(Conversions, Str2NumTable) {
    struct Case {
        const char* s;
        long double x;
    } const cases[] = {
        {"12", 12}, {"  -3.5e2xyz", -350}, {"abc", 0}, {"", 0}, {"0x10", 16}, {".5", 0.5L},
    };
    for (const Case& c : cases) EXPECT_EQ(str2num(c.s), c.x) << c.s;
    EXPECT_TRUE(std::isinf(str2num("inf")));
    EXPECT_EQ(str2num("0.1"), 0.1L) << "text is read to nearest, not upward";
}

TEST(Str2Bool, Table) {
    struct Case {
        const char* s;
        int b;
    } const cases[] = {
        {"SI", 1}, {"si", 1}, {"Si", 1},   {"TRUE", 1},  {"true", 1},   {"tRuE", 1},
        {"NO", 0}, {"no", 0}, {"nO", 0},   {"FALSE", 0}, {"false", -1}, {"False", -1},
        {"1", -1}, {"", -1},  {"SI ", -1}, {"S", -1},
    };
    for (const Case& c : cases) EXPECT_EQ(str2bool(c.s), c.b) << c.s;
}

TEST(Bool2Str, AnyNonZeroIsSi) {
    EXPECT_STREQ(bool2str(0), "NO");
    EXPECT_STREQ(bool2str(1), "SI");
    EXPECT_STREQ(bool2str(static_cast<char>(0x80)), "SI");
}

TEST(CaseConversion, InPlace) {
    char s[] = "Hola Mundo 1";
    EXPECT_EQ(strupr(s), s);
    EXPECT_STREQ(s, "HOLA MUNDO 1");
    EXPECT_STREQ(strlwr(s), "hola mundo 1");
}

TEST(Truncation, TableOfWidths) {
    EXPECT_EQ(trunc_i64(7.9L), 7);
    EXPECT_EQ(trunc_i64(-7.9L), -7);
    EXPECT_EQ(trunc_i64(1e30L), INT64_MIN);
    EXPECT_EQ(trunc_i64(NAN), INT64_MIN);
    EXPECT_EQ(trunc_i32(2147483647.5L), 2147483647);
    EXPECT_EQ(trunc_i32(2147483648.0L), INT32_MIN);
    EXPECT_EQ(trunc_i32(-2147483648.9L), INT32_MIN);
    EXPECT_EQ(trunc_i16(321), 321);
    EXPECT_EQ(trunc_i16(40000), INT16_MIN);
}

// The edges of the bit-level truncation, under every rounding mode a program may be in.
TEST(Truncation, EdgesInEveryRoundingMode) {
    const long double two63 = 9223372036854775808.0L;
    const long double inf = std::numeric_limits<long double>::infinity();
    struct Case {
        long double x;
        int64_t i64;
        int32_t i32;
        int16_t i16;
    } const cases[] = {
        {0.0L, 0, 0, 0},
        {-0.0L, 0, 0, 0},
        {0.5L, 0, 0, 0},
        {-0.5L, 0, 0, 0},
        {0.9999999999L, 0, 0, 0},
        {-0.9999999999L, 0, 0, 0},
        {std::numeric_limits<long double>::denorm_min(), 0, 0, 0},
        {1.0L, 1, 1, 1},
        {-1.0L, -1, -1, -1},
        {-1.5L, -1, -1, -1},
        {32767.9L, 32767, 32767, 32767},
        {32768.0L, 32768, 32768, INT16_MIN},
        {-32768.9L, -32768, -32768, -32768},
        {-32769.0L, -32769, -32769, INT16_MIN},
        {2147483648.0L, 2147483648LL, INT32_MIN, INT16_MIN},
        {-2147483648.0L, -2147483648LL, INT32_MIN, INT16_MIN},
        {-2147483649.0L, -2147483649LL, INT32_MIN, INT16_MIN},
        {4503599627370496.5L, 4503599627370496LL, INT32_MIN, INT16_MIN},
        {two63 - 1, INT64_MAX, INT32_MIN, INT16_MIN},
        {-(two63 - 1), -INT64_MAX, INT32_MIN, INT16_MIN},
        {two63, INT64_MIN, INT32_MIN, INT16_MIN},
        {-two63, INT64_MIN, INT32_MIN, INT16_MIN},
        {-two63 - 1, INT64_MIN, INT32_MIN, INT16_MIN},
        {two63 * 2, INT64_MIN, INT32_MIN, INT16_MIN},
        {1e4000L, INT64_MIN, INT32_MIN, INT16_MIN},
        {inf, INT64_MIN, INT32_MIN, INT16_MIN},
        {-inf, INT64_MIN, INT32_MIN, INT16_MIN},
        {std::numeric_limits<long double>::quiet_NaN(), INT64_MIN, INT32_MIN, INT16_MIN},
    };
    const uint16_t saved = fpu_get_cw();
    for (const uint16_t rc : {FPU_RC_NEAREST, FPU_RC_UP, uint16_t{0x0400}, uint16_t{0x0C00}}) {
        const FpuRounding mode(rc);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "rounding " << rc << ", x = " << c.x);
            EXPECT_EQ(trunc_i64(c.x), c.i64);
            EXPECT_EQ(trunc_i32(c.x), c.i32);
            EXPECT_EQ(trunc_i16(c.x), c.i16);
        }
    }
    EXPECT_EQ(fpu_get_cw(), saved);
}

// Every power of two in range and its neighbours agree with the language's own conversion.
TEST(Truncation, AgreesWithTheConversionAcrossTheRange) {
    for (int k = 0; k < 63; ++k) {
        const long double p = std::ldexp(1.0L, k);
        for (const long double x : {p, p + 0.25L, p - 0.25L, p * 1.5L, -p, -p - 0.75L, -p * 1.5L}) {
            if (std::fabs(x) >= 9223372036854775808.0L) continue;
            SCOPED_TRACE(testing::Message() << "x = " << x);
            EXPECT_EQ(trunc_i64(x), static_cast<int64_t>(x));
        }
    }
}

// An unnormal (exponent set, integer bit clear) is an invalid operand: indefinite, as the
// processor's own conversion gives.
TEST(Truncation, UnnormalIsIndefinite) {
    long double x = 0;
    const uint64_t mantissa = 1ULL << 62;
    const uint16_t sign_exp = 16383 + 3;
    std::memcpy(&x, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<char*>(&x) + sizeof mantissa, &sign_exp, sizeof sign_exp);
    EXPECT_EQ(trunc_i64(x), INT64_MIN);
}

TEST(FpuReset, RoundsUpWithEveryExceptionMasked) {
    const uint16_t saved = fpu_get_cw();
    fpu_reset();
    const uint16_t cw = fpu_get_cw();
    fpu_set_cw(saved);
    EXPECT_EQ(cw & FPU_RC_MASK, FPU_RC_UP);
    EXPECT_EQ(cw & FPU_EXC_MASKS, FPU_EXC_MASKS);
}

}  // namespace
