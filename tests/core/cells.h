#pragma once

#include "lang/zqval.h"

// Cell builders for tests; the caller releases what they own with rm_val.
inline ZQVal num_cell(long double x) {
    ZQVal v{};
    mk_val(s_NUM, &x, &v);
    return v;
}

inline ZQVal str_cell(const char* s) {
    ZQVal v{};
    mk_val(s_STR, s, &v);
    return v;
}

inline ZQVal bool_cell(bool b) {
    ZQVal v{};
    const char c = b ? 1 : 0;
    mk_val(s_BOOL, &c, &v);
    return v;
}

// An array cell of n numbers 1..n (or of n copies of elem when given).
inline ZQVal array_cell(int n, bool dynamic, const ZQVal* elem = nullptr) {
    ZQVal v{};
    v.tipo = s_CLUSTER;
    v.cluster = ZQVal_Cluster::crear(n, dynamic);
    for (int i = 0; i < n; ++i) {
        const ZQVal e = num_cell(i + 1);
        zqval_copy(v.cluster->get_elem_ptr(i), elem ? elem : &e);
    }
    return v;
}

inline ZQVal null_array_cell() {
    ZQVal v{};
    v.tipo = s_CLUSTER;
    v.cluster = nullptr;
    return v;
}
