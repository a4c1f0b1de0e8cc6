#include "lang/rtstack.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

ZQ_RTStack::~ZQ_RTStack() {
    destroyStack();
}

void ZQ_RTStack::abort(abort_reason) {}

bool ZQ_RTStack::createStack(int cells) {
    if (base) return false;
    if (cells < RTSTACK_MIN_CELLS) cells = RTSTACK_MIN_CELLS;
    if (cells > RTSTACK_MAX_CELLS) return false;
    base = static_cast<ZQVal*>(std::calloc(cells, sizeof(ZQVal)));
    if (!base) return false;
    stack_size = cells;
    constants_size = 0;
    return true;
}

void ZQ_RTStack::destroyStack() {
    if (!base) return;
    removeAllConsts();
    std::free(base);
    base = nullptr;
    top = nullptr;
    stack_size = 0;
    constants_size = 0;
}

void ZQ_RTStack::shallowCopy(const ZQ_RTStack* other) {
    base = other->base;
    top = other->top;
    stack_size = other->stack_size;
    constants_size = other->constants_size;
}

void ZQ_RTStack::addConst(ZQVal* v) {
    assert(base != nullptr);
    if (constants_size >= stack_size) return;
    base[constants_size++] = *v;
}

void ZQ_RTStack::removeAllConsts() {
    for (int i = constants_size - 1; i >= 0; --i) rm_val(base + i);
}

void ZQ_RTStack::push_num(const long double* x) {
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    ++top;
    top->tipo = s_NUM;
    top->num = *x;
}

void ZQ_RTStack::push_str(const char* s) {
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    char* copy = zqval_strdup(s);
    if (!copy) return abort(ar_NO_MEMORY);
    ++top;
    top->tipo = s_STR;
    top->str = copy;
}

void ZQ_RTStack::push_from(const ZQVal* v) {
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    switch (v->tipo) {
        case s_NUM:
        case s_BOOL:
        case s_ADDR:
            *++top = *v;
            return;
        case s_STR:
            return push_str(v->str);
        case s_CLUSTER:
            if (!v->cluster) {
                ++top;
                top->tipo = s_CLUSTER;
                top->cluster = nullptr;
            } else if (v->cluster->copiar(top + 1)) {
                ++top;
            } else {
                abort(ar_NO_MEMORY);
            }
            return;
        default:
            abort(ar_UNKNOWN_TYPE);
    }
}

ZQVal_Cluster* ZQ_RTStack::dim_cluster(int k, int count, int dynamic) {
    const long long n = static_cast<long long>(count) * k;
    if (k < 1 || n > ZQ_MAX_CLUSTER_CELLS) return nullptr;
    ZQVal_Cluster* c = ZQVal_Cluster::crear(static_cast<int>(n), dynamic);
    if (!c) return nullptr;
    ZQVal* tmpl = top - k + 1;
    // Blocks run to millions of cells: numbers and booleans, the usual templates, are copied
    // whole here, the rest through the deep copy.
    int j = 0;
    for (ZQVal* cell = c->cells + k; cell < c->cells + n; ++cell) {
        const ZQVal* src = tmpl + j;
        if (src->tipo == s_NUM || src->tipo == s_BOOL) {
            *cell = *src;
        } else if (!zqval_copy(cell, src)) {
            delete c;
            return nullptr;
        }
        if (++j == k) j = 0;
    }
    std::memcpy(static_cast<void*>(c->cells), tmpl, sizeof(ZQVal) * k);
    top -= k;
    return c;
}
