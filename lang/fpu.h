#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

// The x87 control word: programs run with rounding toward plus infinity, while conversions
// between numbers and text run to nearest and conversions to integers truncate.
uint16_t fpu_get_cw();
void fpu_set_cw(uint16_t cw);

constexpr uint16_t FPU_RC_MASK = 0x0C00;
constexpr uint16_t FPU_RC_NEAREST = 0x0000;
constexpr uint16_t FPU_RC_UP = 0x0800;
constexpr uint16_t FPU_EXC_MASKS = 0x003F;

// Switches the rounding mode for one scope and restores the control word after it.
class FpuRounding {
    uint16_t saved;

  public:
    explicit FpuRounding(uint16_t rc) : saved(fpu_get_cw()) {
        fpu_set_cw(static_cast<uint16_t>((saved & ~FPU_RC_MASK) | rc));
    }
    FpuRounding(const FpuRounding&) = delete;
    FpuRounding& operator=(const FpuRounding&) = delete;
    ~FpuRounding() { fpu_set_cw(saved); }
};

// Truncation toward zero; a value out of range (or NaN) gives the most negative integer of
// the width, as the processor's integer-indefinite value does. Worked out on the bits of the
// extended format, so it costs no switch of the control word and no rounding mode affects it.
inline int64_t trunc_i64(long double x) {
    static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended format");
    uint64_t mantissa = 0;
    uint16_t sign_exp = 0;
    std::memcpy(&mantissa, &x, sizeof mantissa);
    std::memcpy(&sign_exp, reinterpret_cast<const char*>(&x) + sizeof mantissa, sizeof sign_exp);
    const int exp = (sign_exp & 0x7FFF) - 16383;
    if (exp < 0) return 0;  // |x| < 1, zeros and denormals included
    // From 2^63 on nothing fits but -2^63, which is the indefinite value itself; infinities
    // and NaNs have the largest exponent; an unnormal (no integer bit) is an invalid operand.
    if (exp >= 63 || !(mantissa >> 63)) return std::numeric_limits<int64_t>::min();
    const auto magnitude = static_cast<int64_t>(mantissa >> (63 - exp));
    return (sign_exp & 0x8000) ? -magnitude : magnitude;
}

template <typename T>
T trunc_to(long double x) {
    const int64_t v = trunc_i64(x);
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        return std::numeric_limits<T>::min();
    return static_cast<T>(v);
}

inline int32_t trunc_i32(long double x) {
    return trunc_to<int32_t>(x);
}
inline int16_t trunc_i16(long double x) {
    return trunc_to<int16_t>(x);
}
