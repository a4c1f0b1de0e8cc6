#include "lang/zqval.h"

#include <cassert>
#include <cstring>

namespace {

// -1, 0 or 1 by the order of the cells' tag; cells of other tags compare as unordered.
template <typename Cmp>
int compare(const ZQVal* a, const ZQVal* b, Cmp cmp) {
    switch (a->tipo) {
        case s_NUM:
            return cmp(a->num, b->num);
        case s_BOOL:
            return cmp(static_cast<unsigned char>(a->b), static_cast<unsigned char>(b->b));
        case s_STR:
            return cmp(std::strcmp(a->str, b->str), 0);
        default:
            return 0;
    }
}

}  // namespace

int zqval_eq(const ZQVal* a, const ZQVal* b) {
    return compare(a, b, [](auto x, auto y) { return x == y ? 1 : 0; });
}

int zqval_gt(const ZQVal* a, const ZQVal* b) {
    return compare(a, b, [](auto x, auto y) { return x > y ? 1 : 0; });
}

int zqval_ge(const ZQVal* a, const ZQVal* b) {
    return compare(a, b, [](auto x, auto y) { return x >= y ? 1 : 0; });
}

int const_eq(TipoSimple ts, const void* v, const ZQVal* c) {
    assert(ts == s_NUM || ts == s_STR || ts == s_BOOL);
    if (c->tipo != ts) return 0;
    switch (ts) {
        case s_NUM:
            return c->num == *static_cast<const long double*>(v);
        case s_BOOL:
            return c->b == *static_cast<const char*>(v);
        default:
            return std::strcmp(c->str, static_cast<const char*>(v)) == 0;
    }
}
