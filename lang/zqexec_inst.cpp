#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "lang/fpu.h"
#include "lang/zqexec.h"

namespace {

// Invalid operations stay masked (a trap would end the environment), so their NaN result is
// the signal: the run ends with "Durante calculo matematico".
inline bool is_invalid(long double x) {
    return x != x;
}

inline bool is_simple(const ZQVal* v) {
    return v->tipo == s_NUM || v->tipo == s_BOOL;
}

}  // namespace

// Numbers and booleans are copied inline; strings and arrays go through the general copy.
inline void ZQExec::push_copy(const ZQVal* v) {
    if (is_simple(v) && has_room(1)) {
        *++top = *v;
    } else {
        push_from(v);
    }
}

inline void ZQExec::push_addr(ZQVal* v) {
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    ++top;
    top->tipo = s_ADDR;
    top->addr = v;
}

inline void ZQExec::push_cells(const ZQVal* first, uint32_t k) {
    if (k == 1) return push_copy(first);
    if (!chkstk(k)) return;
    for (uint32_t i = 0; i < k && abort_code == ar_NONE; ++i) push_copy(first + i);
}

inline void ZQExec::store(uint32_t k) {
    if (k == 1 && is_simple(top)) {
        ZQVal* dst = top[-1].addr;
        rm_val(dst);
        *dst = *top;
        top -= 2;
        return;
    }
    ZQVal* dst = top[-static_cast<int64_t>(k)].addr;
    for (int64_t i = k - 1; i >= 0; --i) {
        if (!zqval_assign(dst + i, top)) return abort(ar_DYN_TO_STATIC);
        --top;
    }
    --top;  // the address
}

void ZQExec::replicate(int32_t n, uint32_t k) {
    if (n <= 0 || k == 0) return;
    const int64_t cells = static_cast<int64_t>(n) * k;
    if (cells > stack_size) return abort(ar_NO_MEMORY);
    if (!chkstk(static_cast<unsigned>(cells))) return;
    const ZQVal* first = top - k + 1;
    for (int32_t j = 0; j < n; ++j)
        for (uint32_t i = 0; i < k && abort_code == ar_NONE; ++i) push_copy(first + i);
}

void ZQExec::dim(uint32_t k) {
    const int64_t kk = k;
    const int64_t count = trunc_i64(top[-kk].num);
    if (count < 1) return abort(ar_BAD_DIM);
    if (k == 0 || count > ZQ_MAX_CLUSTER_CELLS / kk) return abort(ar_NO_MEMORY);
    const bool dynamic = trunc_i64(top[-kk - 1].num) != 0;
    ZQVal_Cluster* c = dim_cluster(static_cast<int>(k), static_cast<int>(count), dynamic);
    if (!c) return abort(ar_NO_MEMORY);
    --top;  // the count; the flag's cell takes the array
    top->tipo = s_CLUSTER;
    top->cluster = c;
}

void ZQExec::lib_load(const ZQVal* name) {
    if (name->tipo != s_STR) return abort(ar_LIB_LOAD);
    void* handle = dlopen(name->str, RTLD_LAZY);
    if (!handle) return abort(ar_LIB_LOAD);
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    ++top;
    top->tipo = s_ADDR;
    top->ptr = handle;
}

void ZQExec::lib_sym(const ZQVal* name, const ZQVal* handle) {
    if (name->tipo != s_STR || handle->tipo != s_ADDR) return abort(ar_LIB_SYM);
    const std::string symbol = std::string("_zq_") + name->str;
    void* entry = dlsym(handle->ptr, symbol.c_str());
    if (!entry) return abort(ar_LIB_SYM);
    if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
    ++top;
    top->tipo = s_ADDR;
    top->ptr = entry;
}

// The body of one instruction. Written once and inlined both into the plain loop and into
// execOneInst, so stepping costs the plain loop nothing.
__attribute__((always_inline)) inline void ZQExec::step() {
    INST* const pc = PC;
    ZQVal* t = top;
    switch (pc->opcode) {
        case i_ADD: {
            const long double r = t[-1].num + t->num;
            if (is_invalid(r)) return abort(ar_MATH);
            t[-1].num = r;
            top = t - 1;
            break;
        }
        case i_SUB: {
            const long double r = t[-1].num - t->num;
            if (is_invalid(r)) return abort(ar_MATH);
            t[-1].num = r;
            top = t - 1;
            break;
        }
        case i_MUL: {
            const long double r = t[-1].num * t->num;
            if (is_invalid(r)) return abort(ar_MATH);
            t[-1].num = r;
            top = t - 1;
            break;
        }
        case i_DIV: {
            if (t->num == 0) return abort(ar_DIV_ZERO);
            const long double r = t[-1].num / t->num;
            if (is_invalid(r)) return abort(ar_MATH);
            t[-1].num = r;
            top = t - 1;
            break;
        }
        case i_MOD: {
            // A divisor strictly between -1 and 1 truncates to 0: the same failure as 0.
            const int64_t a = trunc_i64(t[-1].num), b = trunc_i64(t->num);
            if (b == 0) return abort(ar_DIV_ZERO);
            t[-1].num = b == -1 ? 0 : a % b;
            top = t - 1;
            break;
        }
        case i_POW: {
            const double r = std::pow(static_cast<double>(t[-1].num), static_cast<double>(t->num));
            if (std::isnan(r)) return abort(ar_MATH);
            t[-1].num = r;
            top = t - 1;
            break;
        }
        case i_NEG:
            t->num = -t->num;
            break;
        case i_CONCAT: {
            char* s = zqval_strcat(t[-1].str, t->str);
            if (!s) return abort(ar_NO_MEMORY);
            rm_val(t);
            rm_val(t - 1);
            t[-1].tipo = s_STR;
            t[-1].str = s;
            top = t - 1;
            break;
        }
        case i_EQ:
        case i_NE: {
            int r = t->tipo == s_NUM ? t[-1].num == t->num : zqval_eq(t - 1, t);
            if (pc->opcode == i_NE) r = !r;
            rm_val(t);
            rm_val(t - 1);
            t[-1].tipo = s_BOOL;
            t[-1].b = static_cast<char>(r);
            top = t - 1;
            break;
        }
        case i_GT:
        case i_LE: {
            int r = t->tipo == s_NUM ? t[-1].num > t->num : zqval_gt(t - 1, t);
            if (pc->opcode == i_LE) r = !r;
            rm_val(t);
            rm_val(t - 1);
            t[-1].tipo = s_BOOL;
            t[-1].b = static_cast<char>(r);
            top = t - 1;
            break;
        }
        case i_GE:
        case i_LT: {
            int r = t->tipo == s_NUM ? t[-1].num >= t->num : zqval_ge(t - 1, t);
            if (pc->opcode == i_LT) r = !r;
            rm_val(t);
            rm_val(t - 1);
            t[-1].tipo = s_BOOL;
            t[-1].b = static_cast<char>(r);
            top = t - 1;
            break;
        }
        case i_AND:
            t[-1].b = static_cast<char>(t[-1].b & t->b);
            top = t - 1;
            break;
        case i_OR:
            t[-1].b = static_cast<char>(t[-1].b | t->b);
            top = t - 1;
            break;
        case i_NOT:
            t->b = t->b == 0;
            break;
        case i_LD_DEFVAL:
        case i_LD_CONST:
            push_copy(base + pc->op1);
            break;
        case i_LD_NUM: {
            const long double x = pc->op1;
            push_num(&x);
            break;
        }
        case i_LD_ADDR_LOCAL:
            push_addr(base + FP + pc->op1);
            break;
        case i_LD_ADDR_GLOBAL:
            push_addr(base + GB + pc->op1);
            break;
        case i_LD_GLOBAL:
            push_cells(base + GB + pc->op1, pc->op2);
            break;
        case i_LD_LOCAL:
            push_cells(base + FP + pc->op1, pc->op2);
            break;
        case i_LD_INDIRECT: {
            if (!chkstk(pc->op2)) return;
            const ZQVal* src = t->addr;
            top = t - 1;
            push_cells(src, pc->op2);
            break;
        }
        case i_LD_INT:
            if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
            ++t;
            t->tipo = s_NUM;
            t->raw = pc->op1;
            top = t;
            break;
        case i_STORE:
            store(pc->op2);
            break;
        case i_ADDR_ADD:
            t[-1].addr += t->raw;
            top = t - 1;
            break;
        case i_POP:
            for (uint32_t i = 0; i < pc->op2; ++i) pop();
            break;
        case i_DUP:
            push_copy(t + pc->op1);
            break;
        case i_REPLICATE:
            replicate(pc->op1, pc->op2);
            break;
        case i_CHKSTK:
            chkstk(pc->op2);
            break;
        case i_LD_NULLARRAY:
            if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
            ++t;
            t->tipo = s_CLUSTER;
            t->cluster = nullptr;
            top = t;
            break;
        case i_DIM:
            dim(pc->op2);
            break;
        case i_INDEX: {
            const ZQVal* arr = t[-1].addr;
            if (arr->tipo != s_CLUSTER) return abort(ar_TYPE_EXPECTED);
            if (!arr->cluster) return abort(ar_NOT_DIMENSIONED);
            const int64_t idx = trunc_i64(t->num);
            const int64_t k = pc->op2 ? pc->op2 : 1;
            if (idx < 1 || idx > arr->cluster->get_size() / k) return abort(ar_INDEX);
            t[-1].addr = arr->cluster->cells + k * (idx - 1);
            top = t - 1;
            break;
        }
        case i_JMP:
            PC = pc + pc->op1 - 1;
            break;
        case i_JMPF:
            top = t - 1;
            if (!t->b) PC = pc + pc->op1 - 1;
            break;
        case i_JMPT:
            top = t - 1;
            if (t->b) PC = pc + pc->op1 - 1;
            break;
        case i_CALL_STDF:
            exec_stdf(static_cast<STDF_ID>(pc->op1));
            break;
        case i_CALL:
            if (!has_room(1)) return abort(ar_STACK_OVERFLOW);
            ++t;
            t->tipo = s_NUM;
            t->raw = static_cast<int32_t>(pc - code_start);
            top = t;
            PC = code_start + pc->op1 - 1;
            break;
        case i_RET: {
            const int link = base[FP].raw;
            PC = code_start + base[FP - 1].raw;
            FP = link;
            for (uint32_t i = 0; i < pc->op2 + 2; ++i) pop();
            break;
        }
        case i_HALT:
            setState(st_STOPPED);
            break;
        case i_ENTER:
            if (!chkstk(pc->op2)) return;
            ++t;
            t->tipo = s_NUM;
            t->raw = FP;
            top = t;
            FP = static_cast<int>(t - base);
            break;
        case i_LINE:
        case i_LINE_BREAK:
        case i_LINE_RET:
            line = static_cast<int>(pc->op2);
            routine = pc->op1;
            break;
        case i_LIB_LOAD:
            lib_load(base + pc->op1);
            break;
        case i_LIB_SYM:
            lib_sym(base + pc->op1, base + GB + pc->op2);
            break;
        case i_CALL_EXT: {
            const ZQVal* entry = base + GB + pc->op1;
            if (entry->tipo != s_ADDR || !entry->ptr) return abort(ar_LIB_SYM);
            reinterpret_cast<void (*)(ZQExec*)>(entry->ptr)(this);
            break;
        }
        default:
            return abort(ar_BAD_INST);
    }
    ++PC;
}

void ZQExec::execOneInst() {
    step();
}

void ZQExec::run_loop() {
    while (state.load(std::memory_order_relaxed) == st_RUNNING) step();
}
