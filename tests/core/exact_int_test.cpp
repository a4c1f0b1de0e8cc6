#include "lang/exact_int.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "lang/fpu.h"

namespace {

bool same_bits(long double a, long double b) {
    return std::memcmp(&a, &b, 10) == 0;
}

// Which numbers read as exact integers: +0 and integers below 2^62, not -0, fractions,
// larger magnitudes, infinities or NaNs.
TEST(ExactInt, ReadsOnlyIntegersThatFit) {
    const long double two62 = std::ldexp(1.0L, 62);
    const struct {
        long double x;
        bool exact;
        int64_t v;
    } cases[] = {
        {0.0L, true, 0},
        {-0.0L, false, 0},
        {1.0L, true, 1},
        {-1.0L, true, -1},
        {7.0L, true, 7},
        {-2000000.0L, true, -2000000},
        {0.5L, false, 0},
        {2.5L, false, 0},
        {-7.9L, false, 0},
        {two62 - 1, true, (int64_t{1} << 62) - 1},
        {-(two62 - 1), true, -((int64_t{1} << 62) - 1)},
        {two62, false, 0},
        {std::ldexp(1.0L, -16400), false, 0},  // denormal
        {INFINITY, false, 0},
        {NAN, false, 0},
    };
    for (const auto& c : cases) {
        int64_t v = 12345;
        EXPECT_EQ(exact_int(c.x, &v), c.exact) << static_cast<double>(c.x);
        if (c.exact) {
            EXPECT_EQ(v, c.v) << static_cast<double>(c.x);
        }
    }
}

// Written integers carry the bits the x87's conversion gives, in either rounding mode.
TEST(ExactInt, WritesTheConversionsBits) {
    const int64_t cases[] = {0,
                             1,
                             -1,
                             2,
                             3,
                             -7,
                             1000000,
                             INT64_MAX,
                             INT64_MIN,
                             (int64_t{1} << 62) + 1,
                             -(int64_t{1} << 40) - 3};
    for (const uint16_t rc : {FPU_RC_NEAREST, FPU_RC_UP}) {
        FpuRounding mode(rc);
        for (const int64_t v : cases) {
            long double x = 99.5L;
            set_exact(&x, v);
            EXPECT_TRUE(same_bits(x, static_cast<long double>(v))) << v;
        }
    }
}

}  // namespace
