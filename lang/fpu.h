#pragma once

#include <cstdint>

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
// the width, as the processor's integer-indefinite value does.
int64_t trunc_i64(long double x);
int32_t trunc_i32(long double x);
int16_t trunc_i16(long double x);
