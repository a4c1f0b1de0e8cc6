#include "lang/fpu.h"

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
