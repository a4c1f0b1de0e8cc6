#include "lang/fpu.h"

#include <limits>

uint16_t fpu_get_cw() {
    uint16_t cw = 0;
#if defined(__x86_64__) || defined(__i386__)
    __asm__ volatile("fnstcw %0" : "=m"(cw));
#endif
    return cw;
}

void fpu_set_cw(uint16_t cw) {
#if defined(__x86_64__) || defined(__i386__)
    __asm__ volatile("fldcw %0" : : "m"(cw));
#else
    (void)cw;
#endif
}

namespace {

template <typename T>
T trunc_to(long double x) {
    // Exact limits: -2^(n-1) is representable, 2^(n-1) is the first value out of range.
    constexpr long double lo = static_cast<long double>(std::numeric_limits<T>::min());
    if (!(x > lo - 1.0L && x < -lo)) return std::numeric_limits<T>::min();
    return static_cast<T>(x);
}

}  // namespace

int64_t trunc_i64(long double x) {
    return trunc_to<int64_t>(x);
}
int32_t trunc_i32(long double x) {
    return trunc_to<int32_t>(x);
}
int16_t trunc_i16(long double x) {
    return trunc_to<int16_t>(x);
}
