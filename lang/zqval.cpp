#include "lang/zqval.h"

#include <sys/mman.h>

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t HUGE_PAGE = size_t{2} << 20;

// count cells tagged s_NADA, released with free. Blocks of huge pages and more sit on huge
// pages when the system grants them: a large array then costs a few page faults instead of
// one every 4 KiB, which took a quarter of the time of a program filling millions of cells.
ZQVal* alloc_cells(int count) {
    const size_t bytes = static_cast<size_t>(count) * sizeof(ZQVal);
    if (bytes < HUGE_PAGE) return static_cast<ZQVal*>(std::calloc(count, sizeof(ZQVal)));
    const size_t whole = (bytes + HUGE_PAGE - 1) / HUGE_PAGE * HUGE_PAGE;
    void* p = std::aligned_alloc(HUGE_PAGE, whole);
    if (!p) return nullptr;
    madvise(p, whole, MADV_HUGEPAGE);
    std::memset(p, 0, bytes);
    return static_cast<ZQVal*>(p);
}

}  // namespace

ZQVal_Cluster::~ZQVal_Cluster() {
    vaciar();
}

ZQVal_Cluster* ZQVal_Cluster::crear(int count, int dynamic) {
    if (count > ZQ_MAX_CLUSTER_CELLS) return nullptr;
    auto* c = new (std::nothrow) ZQVal_Cluster;
    if (!c) return nullptr;
    if (count > 0) {
        c->cells = alloc_cells(count);
        if (!c->cells) {
            delete c;
            return nullptr;
        }
    }
    c->count = dynamic ? -count : count;
    return c;
}

int ZQVal_Cluster::copiar(ZQVal* dst) const {
    ZQVal_Cluster* c = crear(get_size(), is_dynamic());
    if (!c) {
        dst->tipo = s_NADA;
        return 0;
    }
    const int n = get_size();
    for (int i = 0; i < n; ++i) {
        if (!zqval_copy(c->cells + i, cells + i)) {
            delete c;
            dst->tipo = s_NADA;
            return 0;
        }
    }
    dst->tipo = s_CLUSTER;
    dst->cluster = c;
    return 1;
}

void ZQVal_Cluster::vaciar() {
    const int n = get_size();
    for (int i = 0; i < n; ++i) rm_val(cells + i);
    std::free(cells);
    cells = nullptr;
    count = 0;
}

int mk_val(TipoSimple ts, const void* src, ZQVal* dst) {
    dst->tipo = ts;
    switch (ts) {
        case s_NUM:
            dst->num = *static_cast<const long double*>(src);
            return 1;
        case s_BOOL:
            dst->b = *static_cast<const char*>(src);
            return 1;
        case s_STR:
            dst->str = zqval_strdup(static_cast<const char*>(src));
            if (dst->str) return 1;
            dst->tipo = s_NADA;
            return 0;
        default:
            return 1;
    }
}

void rm_val_owned(ZQVal* v) {
    if (v->tipo == s_STR) {
        std::free(v->str);
    } else if (v->tipo == s_CLUSTER) {
        delete v->cluster;
    }
    v->tipo = s_NADA;
}

char* zqval_newstr(unsigned size) {
    if (size > ZQ_MAX_STRBUF) return nullptr;
    return static_cast<char*>(std::malloc(size ? size : 1));
}

char* zqval_strdup(const char* s) {
    const std::size_t n = std::strlen(s) + 1;
    if (n > ZQ_MAX_STRBUF) return nullptr;
    char* d = zqval_newstr(static_cast<unsigned>(n));
    if (d) std::memcpy(d, s, n);
    return d;
}

char* zqval_strcat(const char* a, const char* b) {
    const std::size_t la = std::strlen(a), lb = std::strlen(b);
    if (la + lb + 1 > ZQ_MAX_STRBUF) return nullptr;
    char* d = zqval_newstr(static_cast<unsigned>(la + lb + 1));
    if (!d) return nullptr;
    std::memcpy(d, a, la);
    std::memcpy(d + la, b, lb + 1);
    return d;
}

int zqval_copy(ZQVal* dst, const ZQVal* src) {
    if (src->tipo & TS_OWNS_HEAP) rm_val(dst);
    switch (src->tipo) {
        case s_NADA:
        case s_NUM:
        case s_BOOL:
        case s_ADDR:
            *dst = *src;
            return 1;
        case s_STR:
            dst->str = zqval_strdup(src->str);
            dst->tipo = dst->str ? s_STR : s_NADA;
            return dst->str != nullptr;
        case s_CLUSTER:
            if (!src->cluster) {
                dst->tipo = s_CLUSTER;
                dst->cluster = nullptr;
                return 1;
            }
            return src->cluster->copiar(dst);
        default:
            dst->tipo = src->tipo;
            return 0;
    }
}

namespace {

int assign_array(ZQVal* dst, ZQVal* src) {
    ZQVal_Cluster* s = src->cluster;
    ZQVal_Cluster* d = dst->tipo == s_CLUSTER ? dst->cluster : nullptr;
    if (d && d->is_dynamic()) {
        delete d;
        d = nullptr;
    }
    if (!s) {
        delete d;  // a static block with nothing to take its place
        dst->tipo = s_CLUSTER;
        dst->cluster = nullptr;
        return 1;
    }
    if (!d) {
        if (dst->tipo != s_CLUSTER) rm_val(dst);
        if (s->count > 0) s->count = -s->count;
        dst->tipo = s_CLUSTER;
        dst->cluster = s;
        return 1;
    }
    if (s->is_dynamic()) {
        dst->cluster = d;
        return 0;
    }
    // Static into static: element by element, so nested arrays obey the same rule. The
    // destination keeps its own block; a refused element leaves the rest with the source.
    const int n = s->get_size() < d->get_size() ? s->get_size() : d->get_size();
    for (int i = 0; i < n; ++i) {
        if (!zqval_assign(d->cells + i, s->cells + i)) return 0;
    }
    delete s;
    return 1;
}

}  // namespace

int zqval_assign(ZQVal* dst, ZQVal* src) {
    switch (src->tipo) {
        case s_NADA:
        case s_NUM:
        case s_BOOL:
        case s_ADDR:
        case s_STR:
            rm_val(dst);
            *dst = *src;
            src->tipo = s_NADA;
            return 1;
        case s_CLUSTER:
            if (!assign_array(dst, src)) return 0;
            src->tipo = s_NADA;
            return 1;
        default:
            return 0;
    }
}
