#include <cstdlib>
#include <cstring>
#include <ctime>

#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

bool random_seeded = false;

long double random_value(long double bound, long double seed) {
    const int32_t s = trunc_i32(seed);
    if (s != 0) {
        srandom(static_cast<unsigned>(s));
        random_seeded = true;
    }
    if (!random_seeded) {
        srandom(static_cast<unsigned>(std::time(nullptr)));
        random_seeded = true;
    }
    const int32_t n = trunc_i32(bound);
    if (n <= 0) return 0;
    return random() % n;
}

// min keeps the first unless it is greater; max unless the second is greater.
void min_max(StdfCall c, bool want_min) {
    ZQVal* a = c.arg(0);
    ZQVal* b = c.arg(1);
    if (want_min ? zqval_gt(a, b) : zqval_gt(b, a)) {
        rm_val(a);
        *a = *b;
        b->tipo = s_NADA;
    }
    c.exec().pop();
}

void intercambiar(StdfCall c, uint32_t cells) {
    ZQVal* a = c.ref(0);
    ZQVal* b = c.ref(1);
    for (uint32_t i = 0; i < cells; ++i) {
        const ZQVal t = a[i];
        a[i] = b[i];
        b[i] = t;
    }
    c.none();
}

}  // namespace

bool stdf_general(ZQExec& e, STDF_ID id) {
    switch (id) {
        case sf_INC:
        case sf_DEC:
            stdf_inc_dec(e.getTopPtr() - 1, id == sf_INC ? 1 : -1);
            e.pop();
            return true;
        case sf_RANDOM: {
            StdfCall c(e, 2);
            c.result_num(random_value(c.num(0), c.num(1)));
            return true;
        }
        case sf_MIN:
        case sf_MAX:
            min_max(StdfCall(e, 2), id == sf_MIN);
            return true;
        case sf_INTERCAMBIAR:
            intercambiar(StdfCall(e, 2), e.getPC()->op2);
            return true;
        default:
            return false;
    }
}
