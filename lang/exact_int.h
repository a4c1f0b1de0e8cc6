#pragma once

#include <emmintrin.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

// Numbers holding integers, read and written on the bits of the extended format. Sums,
// differences and products of such integers that fit in 63 bits are exact, so no rounding
// mode changes them and the machine computes them without x87 loads and stores, which cost
// many cycles each.

static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended format");

// True, with *v set, for +0 and for integers of magnitude below 2^62 (so that a sum or a
// difference of two still fits). Not for -0, whose sign an integer cannot keep.
inline __attribute__((always_inline)) bool exact_int(const long double& x, int64_t* v) {
    uint64_t mantissa = 0;
    uint16_t sign_exp = 0;
    std::memcpy(&mantissa, &x, sizeof mantissa);
    std::memcpy(&sign_exp, reinterpret_cast<const char*>(&x) + sizeof mantissa, sizeof sign_exp);
    const unsigned exp = (sign_exp & 0x7FFFu) - 16383u;  // below 0 wraps to a large value
    if (exp > 61) {
        *v = 0;
        return sign_exp == 0 && mantissa == 0;
    }
    // The integer bit set, and no bit below the units.
    const unsigned shift = 63 - exp;
    const int64_t magnitude = static_cast<int64_t>(mantissa >> shift);
    if (!(mantissa >> 63) || (static_cast<uint64_t>(magnitude) << shift) != mantissa) return false;
    *v = (sign_exp & 0x8000) ? -magnitude : magnitude;
    return true;
}

// Writes v as the x87 would convert it (0 as +0). The 16 bytes of the number go in one
// store, so a later copy of the cell reads them back without a stall.
inline __attribute__((always_inline)) void set_exact(long double* x, int64_t v) {
    uint64_t magnitude = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    uint64_t sign_exp = 0;
    if (magnitude != 0) {
        const int shift = std::countl_zero(magnitude);
        magnitude <<= shift;
        sign_exp = static_cast<uint64_t>(16383 + 63 - shift) | (v < 0 ? 0x8000u : 0u);
    }
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(x),
        _mm_set_epi64x(static_cast<int64_t>(sign_exp), static_cast<int64_t>(magnitude)));
}
