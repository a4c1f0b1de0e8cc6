#pragma once

#include <cstdint>

// Tag of a value cell. Bit 0x40 marks the tags whose cell owns heap storage.
enum TipoSimple : unsigned char {
    s_NADA = 0,
    s_NUM = 1,
    s_BOOL = 2,
    s_ADDR = 4,  // run time only: address of a cell, library handle or entry point
    s_STR = 65,
    s_CLUSTER = 66,  // run time only: array storage block
};

constexpr unsigned char TS_OWNS_HEAP = 0x40;

// Largest string buffer, terminator included.
constexpr unsigned ZQ_MAX_STRBUF = 649999;

// Largest array block: 64 Mi cells (2 GiB); larger requests are refused as out of memory
// rather than left to exhaust the machine.
constexpr int ZQ_MAX_CLUSTER_CELLS = 1 << 26;

class ZQVal_Cluster;

// One run-time value cell. All cells have one size (32 bytes), so cell blocks may be moved
// as plain memory.
struct ZQVal {
    TipoSimple tipo;
    union {
        long double num;
        char b;                  // boolean: 0 or 1
        char* str;               // owned, NUL-terminated
        ZQVal_Cluster* cluster;  // owned; null while the array has no storage
        ZQVal* addr;             // s_ADDR pointing at another cell
        void* ptr;               // s_ADDR holding a library handle or an entry point
        int32_t raw;             // raw int (frame links, return addresses, field offsets)
    };
};

static_assert(sizeof(ZQVal) <= 32, "value cells must stay small");

// Storage block of an array: |count| cells; a negative count marks a dynamic (open) array.
class ZQVal_Cluster {
  public:
    int32_t count = 0;
    ZQVal* cells = nullptr;

    virtual ~ZQVal_Cluster();

    // A new block of count cells tagged s_NADA, or null when memory runs out or count is
    // above ZQ_MAX_CLUSTER_CELLS.
    static ZQVal_Cluster* crear(int count, int dynamic);
    // Deep clone into dst (tag s_CLUSTER); on failure dst is left s_NADA and 0 returned.
    int copiar(ZQVal* dst) const;
    void vaciar();
    ZQVal* get_elem_ptr(int i) const { return cells + i; }
    int get_size() const { return count < 0 ? -count : count; }
    bool is_dynamic() const { return count < 0; }
};

int mk_val(TipoSimple ts, const void* src, ZQVal* dst);
void rm_val_owned(ZQVal* v);
// Releases what v owns and leaves it s_NADA; safe on any tag.
inline void rm_val(ZQVal* v) {
    if (v->tipo & TS_OWNS_HEAP) rm_val_owned(v);
    v->tipo = s_NADA;
}

// Null when size exceeds the string limit or memory runs out.
char* zqval_newstr(unsigned size);
char* zqval_strdup(const char* s);
char* zqval_strcat(const char* a, const char* b);

// Deep copy (loads); 1 = done, 0 = failed.
int zqval_copy(ZQVal* dst, const ZQVal* src);
// Move (stores). Done (1): src's storage now belongs to dst and src is left s_NADA.
// Refused (0: dynamic array into a static one, or an unknown tag): src keeps its storage.
int zqval_assign(ZQVal* dst, ZQVal* src);

int zqval_eq(const ZQVal* a, const ZQVal* b);
int zqval_gt(const ZQVal* a, const ZQVal* b);
int zqval_ge(const ZQVal* a, const ZQVal* b);
int const_eq(TipoSimple ts, const void* v, const ZQVal* c);

// Both return a pointer into one static buffer that the next call overwrites.
const char* num2str(long double x, char width, char decimals, char fill);
char* num2str_def_format(long double x);
long double str2num(const char* s);
const char* bool2str(char b);
int str2bool(const char* s);
char* strupr(char* s);
char* strlwr(char* s);
