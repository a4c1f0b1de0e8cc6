#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>

#include "lang/exact_int.h"
#include "lang/fpu.h"
#include "lang/stdf_call.h"
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

// Cells whose copy is the whole cell; a desde loop copies its variable's address each turn.
inline bool is_plain(const ZQVal* v) {
    return is_simple(v) || v->tipo == s_ADDR;
}

// Pushes a copy of a plain cell onto the top t; false (nothing done) when v needs the general
// copy or the stack is full.
inline bool push_plain(ZQVal*& t, const ZQVal* end, const ZQVal* v) {
    if (!is_plain(v) || t + 1 >= end) return false;
    *++t = *v;
    return true;
}

}  // namespace

inline void ZQExec::push_copy(const ZQVal* v) {
    if (!push_plain(top, base + stack_size, v)) push_from(v);
}

inline void ZQExec::push_cells(const ZQVal* first, uint32_t k) {
    if (k == 1) return push_copy(first);
    if (!room_for(top, k)) return end_for_space();
    for (uint32_t i = 0; i < k && abort_code == ar_NONE; ++i) push_copy(first + i);
}

// The general store; the loop moves a single number or boolean itself.
inline void ZQExec::store(uint32_t k) {
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
    if (!room_for(top, static_cast<unsigned>(cells))) return end_for_space();
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

// The loop keeps PC and top in registers. Anything that may read or move them (the
// helpers, the standard subroutines, an abort) runs between a write-back and a reload.
#define PROTECT(x) \
    do {           \
        PC = pc;   \
        top = t;   \
        x;         \
        pc = PC;   \
        t = top;   \
    } while (0)

// A failure detected by the instruction itself: recorded, and PC stays on the instruction.
#define FAIL(r)          \
    do {                 \
        PC = pc;         \
        top = t;         \
        return abort(r); \
    } while (0)

// A space check that failed ends the run, and PC stays on the instruction.
#define FAIL_CHKSTK()           \
    do {                        \
        PC = pc;                \
        top = t;                \
        return end_for_space(); \
    } while (0)

namespace {

// The remainder of the truncated operands (y not 0), with the sign of x. The 32-bit division
// is several times faster than the 64-bit one, and the operands of a program nearly always fit.
inline int64_t remainder_of(int64_t x, int64_t y) {
    if (y == -1) return 0;  // the most negative x would overflow
    if (x == static_cast<int32_t>(x) && y == static_cast<int32_t>(y))
        return static_cast<int32_t>(x) % static_cast<int32_t>(y);
    return x % y;
}

// The two instruction groups a desde loop runs at every turn (the code it is compiled to is
// fixed): the test at the top, whose final jump's offset varies, and the step of the
// variable. The plain loop runs each in one dispatch.
constexpr INST desde_test[] = {{i_DUP, -4, 0}, {i_LD_INDIRECT, 0, 1}, {i_DUP, -3, 0},
                               {i_DUP, -2, 0}, {i_JMPT, 3, 0},        {i_LT, 0, 0},
                               {i_JMP, 2, 0},  {i_GT, 0, 0}};
constexpr int desde_test_len = std::size(desde_test) + 1;
constexpr INST desde_inc[] = {
    {i_DUP, -4, 0}, {i_DUP, -2, 0}, {i_CALL_STDF, sf_INC, 0}, {i_POP, 0, 1}};

// The last two places where a group was matched.
struct SeenGroups {
    const INST* last = nullptr;
    const INST* before = nullptr;
    bool has(const INST* p) const { return p == last || p == before; }
    void add(const INST* p) {
        before = last;
        last = p;
    }
};

template <size_t N>
inline bool starts_with(const INST* pc, const INST* code_end, const INST (&group)[N]) {
    if (code_end - pc < static_cast<ptrdiff_t>(N)) return false;
    for (size_t i = 1; i < N; ++i)
        if (pc[i].opcode != group[i].opcode || pc[i].op1 != group[i].op1 ||
            pc[i].op2 != group[i].op2)
            return false;
    return true;
}

inline bool is_desde_test(const INST* pc, const INST* code_end) {
    return code_end - pc >= desde_test_len && starts_with(pc, code_end, desde_test) &&
           pc[desde_test_len - 1].opcode == i_JMPT;
}

// Binary arithmetic on the two top numbers; false (nothing changed) for an invalid result.
// Exact integers whose result fits take the integer path (iop false when it does not fit).
template <typename IntOp, typename Op>
inline bool arith(ZQVal* t, IntOp iop, Op op) {
    int64_t x, y, exact;
    if (exact_int(t[-1].num, &x) && exact_int(t->num, &y) && iop(x, y, &exact)) {
        set_exact(&t[-1].num, exact);
        return true;
    }
    const long double r = op(t[-1].num, t->num);
    if (is_invalid(r)) return false;
    t[-1].num = r;
    return true;
}

// Below 2^62 each, sums and differences always fit.
inline bool int_add(int64_t x, int64_t y, int64_t* r) {
    *r = x + y;
    return true;
}
inline bool int_sub(int64_t x, int64_t y, int64_t* r) {
    *r = x - y;
    return true;
}
// A zero product of a negative factor is -0 for the x87, which no integer holds.
inline bool int_mul(int64_t x, int64_t y, int64_t* r) {
    return !__builtin_mul_overflow(x, y, r) && (*r != 0 || (x >= 0 && y >= 0));
}
inline bool int_none(int64_t, int64_t, int64_t*) {
    return false;
}

// A load followed by integer arithmetic, as in i * j or k % 7: the arithmetic instruction op
// on the top cell and the cell the load would push, when both are exact integers and so is
// the result (false, nothing done, otherwise). Failures are left to the two instructions.
inline __attribute__((always_inline)) bool load_and_arith(i_set op, ZQVal* top,
                                                          const ZQVal* operand) {
    if (op != i_ADD && op != i_SUB && op != i_MUL && op != i_MOD) return false;
    int64_t x, y, r;
    if (top->tipo != s_NUM || operand->tipo != s_NUM || !exact_int(top->num, &x) ||
        !exact_int(operand->num, &y))
        return false;
    if (op == i_ADD) {
        r = x + y;
    } else if (op == i_SUB) {
        r = x - y;
    } else if (op == i_MUL) {
        if (!int_mul(x, y, &r)) return false;
    } else {
        if (y == 0) return false;
        r = remainder_of(x, y);
    }
    set_exact(&top->num, r);
    return true;
}

// A relation between two numbers, on integers when both are exact.
template <typename Rel>
inline __attribute__((always_inline)) bool num_rel(const long double& a, const long double& b,
                                                   Rel rel) {
    int64_t x, y;
    if (exact_int(a, &x) && exact_int(b, &y)) return rel(x, y);
    return rel(a, b);
}

// A comparison of the two top cells, numbers inline and other tags through cmp; the
// boolean (negated for the complementary relation) takes the lower cell.
template <typename Rel>
inline void compare(ZQVal* t, Rel rel, int (*cmp)(const ZQVal*, const ZQVal*), bool negate) {
    int r;
    if (t->tipo == s_NUM) {
        r = num_rel(t[-1].num, t->num, rel);
    } else {
        r = cmp(t - 1, t);
        rm_val(t);
        rm_val(t - 1);
    }
    t[-1].tipo = s_BOOL;
    t[-1].b = static_cast<char>(r != negate);
}

}  // namespace

// One dispatch per instruction (the plain loop takes a desde's test and step group as one),
// written once: Loop runs until the state word leaves st_RUNNING, otherwise exactly one
// instruction runs, so stepping costs the plain loop nothing.
template <bool Loop>
void ZQExec::run() {
    ZQVal* const b = base;
    const ZQVal* const end = base + stack_size;
    const INST* const code_end = code + code_size;
    INST* pc = PC;
    ZQVal* t = top;
    // The last desde groups matched, two of each kind for two nested loops. Code changes
    // during a run only at line markers (the breakpoints), which the groups do not hold, so
    // a match stays good for the whole run.
    SeenGroups tests, steps;
    auto push_copy = [&](const ZQVal* v) __attribute__((always_inline)) {
        if (!push_plain(t, end, v)) PROTECT(push_from(v));
    };
    // The op2 cells from src; one cell, by far the most common load, without a space check.
    auto load_cells = [&](const ZQVal* src) __attribute__((always_inline)) {
        if (pc->op2 == 1)
            push_copy(src);
        else
            PROTECT(push_cells(src, pc->op2));
    };
    // The plain loop runs a one-cell load and the integer arithmetic after it in one dispatch.
    auto load_then_arith = [&](const ZQVal* src) __attribute__((always_inline)) {
        if (!Loop || pc->op2 > 1 || pc + 1 >= code_end || !load_and_arith(pc[1].opcode, t, src))
            return false;
        ++pc;
        return true;
    };
    // The desde test group at pc in one go, when it holds the compiler's plain cells (false,
    // nothing done, otherwise). Ascending (the flag on top): past the end is above it;
    // descending: not at or above it, as i_LT has it.
    auto run_desde_test = [&]() __attribute__((always_inline)) {
        const ZQVal* var = t[-4].addr;
        if (var->tipo != s_NUM || t[-2].tipo != s_NUM || t->tipo != s_BOOL) return false;
        const bool past = t->b ? num_rel(var->num, t[-2].num, std::greater<>())
                               : !num_rel(var->num, t[-2].num, std::greater_equal<>());
        pc += desde_test_len - 1;
        if (past) pc += pc->op1 - 1;
        return true;
    };
    for (;;) {
        if constexpr (Loop) {
            if (state.load(std::memory_order_relaxed) != st_RUNNING) break;
        }
        switch (pc->opcode) {
            case i_ADD:
                if (!arith(t, int_add, std::plus<long double>())) FAIL(ar_MATH);
                --t;
                break;
            case i_SUB:
                if (!arith(t, int_sub, std::minus<long double>())) FAIL(ar_MATH);
                --t;
                break;
            case i_MUL:
                if (!arith(t, int_mul, std::multiplies<long double>())) FAIL(ar_MATH);
                --t;
                break;
            case i_DIV:
                if (t->num == 0) FAIL(ar_DIV_ZERO);
                if (!arith(t, int_none, std::divides<long double>())) FAIL(ar_MATH);
                --t;
                break;
            case i_MOD: {
                // A divisor strictly between -1 and 1 truncates to 0: the same failure as 0.
                const int64_t x = trunc_i64(t[-1].num), y = trunc_i64(t->num);
                if (y == 0) FAIL(ar_DIV_ZERO);
                set_exact(&t[-1].num, remainder_of(x, y));
                --t;
                break;
            }
            case i_POW: {
                const double r =
                    std::pow(static_cast<double>(t[-1].num), static_cast<double>(t->num));
                if (std::isnan(r)) FAIL(ar_MATH);
                t[-1].num = r;
                --t;
                break;
            }
            case i_NEG:
                t->num = -t->num;
                break;
            case i_CONCAT: {
                char* s = zqval_strcat(t[-1].str, t->str);
                if (!s) FAIL(ar_NO_MEMORY);
                rm_val(t);
                rm_val(t - 1);
                t[-1].tipo = s_STR;
                t[-1].str = s;
                --t;
                break;
            }
            case i_EQ:
            case i_NE:
                compare(t, std::equal_to<>(), zqval_eq, pc->opcode == i_NE);
                --t;
                break;
            case i_GT:
            case i_LE:
                compare(t, std::greater<>(), zqval_gt, pc->opcode == i_LE);
                --t;
                break;
            case i_GE:
            case i_LT:
                compare(t, std::greater_equal<>(), zqval_ge, pc->opcode == i_LT);
                --t;
                break;
            case i_AND:
                t[-1].b = static_cast<char>(t[-1].b & t->b);
                --t;
                break;
            case i_OR:
                t[-1].b = static_cast<char>(t[-1].b | t->b);
                --t;
                break;
            case i_NOT:
                t->b = t->b == 0;
                break;
            case i_LD_DEFVAL:
            case i_LD_CONST:
                if (!load_then_arith(b + pc->op1)) push_copy(b + pc->op1);
                break;
            case i_LD_NUM:
                if (t + 1 < end) {
                    ++t;
                    t->tipo = s_NUM;
                    set_exact(&t->num, pc->op1);
                } else {
                    PROTECT(abort(ar_STACK_OVERFLOW));
                }
                break;
            case i_LD_ADDR_LOCAL:
            case i_LD_ADDR_GLOBAL:
                if (t + 1 >= end) FAIL(ar_STACK_OVERFLOW);
                ++t;
                t->tipo = s_ADDR;
                t->addr = b + (pc->opcode == i_LD_ADDR_LOCAL ? FP : GB) + pc->op1;
                break;
            case i_LD_GLOBAL:
                if (!load_then_arith(b + GB + pc->op1)) load_cells(b + GB + pc->op1);
                break;
            case i_LD_LOCAL:
                if (!load_then_arith(b + FP + pc->op1)) load_cells(b + FP + pc->op1);
                break;
            case i_LD_INDIRECT:
                if (!room_for(t, pc->op2)) FAIL_CHKSTK();
                load_cells((t--)->addr);
                break;
            case i_LD_INT:
                if (t + 1 >= end) FAIL(ar_STACK_OVERFLOW);
                ++t;
                t->tipo = s_NUM;
                t->raw = pc->op1;
                break;
            case i_STORE:
                if (pc->op2 == 1 && is_simple(t)) {
                    ZQVal* dst = t[-1].addr;
                    rm_val(dst);
                    *dst = *t;
                    t -= 2;
                } else {
                    PROTECT(store(pc->op2));
                }
                break;
            case i_ADDR_ADD:
                t[-1].addr += t->raw;
                --t;
                break;
            case i_POP:
                for (uint32_t i = 0; i < pc->op2; ++i) rm_val(t--);
                break;
            case i_DUP:
                // The desde groups run whole only on the plain cells the compiler gives them,
                // and with the room their own space checks would demand.
                if (Loop && pc->op1 == -4 && t[-4].tipo == s_ADDR && room_for(t + 1, 1)) {
                    if (!tests.has(pc) && !steps.has(pc)) {
                        if (is_desde_test(pc, code_end))
                            tests.add(pc);
                        else if (starts_with(pc, code_end, desde_inc))
                            steps.add(pc);
                    }
                    if (tests.has(pc) && run_desde_test()) break;
                    if (steps.has(pc) && t[-1].tipo == s_NUM) {
                        step_number(&t[-4].addr->num, t[-1].num, 1);
                        pc += std::size(desde_inc) - 1;
                        // The jump back to the test, and the test, in the same dispatch.
                        INST* const jump = pc + 1;
                        if (jump < code_end && jump->opcode == i_JMP &&
                            tests.has(jump + jump->op1)) {
                            pc = jump + jump->op1;
                            if (!run_desde_test()) pc = jump - 1;
                        }
                        break;
                    }
                }
                push_copy(t + pc->op1);
                break;
            case i_REPLICATE:
                PROTECT(replicate(pc->op1, pc->op2));
                break;
            case i_CHKSTK:
                if (!room_for(t, pc->op2)) PROTECT(end_for_space());
                break;
            case i_LD_NULLARRAY:
                if (t + 1 >= end) FAIL(ar_STACK_OVERFLOW);
                ++t;
                t->tipo = s_CLUSTER;
                t->cluster = nullptr;
                break;
            case i_DIM:
                PROTECT(dim(pc->op2));
                break;
            case i_INDEX: {
                const ZQVal* arr = t[-1].addr;
                if (arr->tipo != s_CLUSTER) FAIL(ar_TYPE_EXPECTED);
                if (!arr->cluster) FAIL(ar_NOT_DIMENSIONED);
                const int64_t idx = trunc_i64(t->num);
                const int64_t k = pc->op2 ? pc->op2 : 1;
                if (idx < 1 || idx > arr->cluster->get_size() / k) FAIL(ar_INDEX);
                t[-1].addr = arr->cluster->cells + k * (idx - 1);
                --t;
                break;
            }
            case i_JMP:
                pc += pc->op1 - 1;
                break;
            case i_JMPF:
                if (!(t--)->b) pc += pc->op1 - 1;
                break;
            case i_JMPT:
                if ((t--)->b) pc += pc->op1 - 1;
                break;
            case i_CALL_STDF:
                // inc and dec run at every turn of a desde loop.
                if (pc->op1 == sf_INC || pc->op1 == sf_DEC) {
                    stdf_inc_dec(t - 1, pc->op1 == sf_INC ? 1 : -1);
                    --t;
                } else {
                    PROTECT(exec_stdf(static_cast<STDF_ID>(pc->op1)));
                }
                break;
            case i_CALL:
                if (t + 1 >= end) FAIL(ar_STACK_OVERFLOW);
                ++t;
                t->tipo = s_NUM;
                t->raw = static_cast<int32_t>(pc - code_start);
                pc = code_start + pc->op1 - 1;
                break;
            case i_RET: {
                const uint32_t n = pc->op2 + 2;
                const int link = b[FP].raw;
                pc = code_start + b[FP - 1].raw;
                FP = link;
                for (uint32_t i = 0; i < n; ++i) rm_val(t--);
                break;
            }
            case i_HALT:
                setState(st_STOPPED);
                break;
            case i_ENTER:
                if (!room_for(t, pc->op2)) FAIL_CHKSTK();
                ++t;
                t->tipo = s_NUM;
                t->raw = FP;
                FP = static_cast<int>(t - b);
                break;
            case i_LINE:
            case i_LINE_BREAK:
            case i_LINE_RET:
                line = static_cast<int>(pc->op2);
                routine = pc->op1;
                break;
            case i_LIB_LOAD:
                PROTECT(lib_load(b + pc->op1));
                break;
            case i_LIB_SYM:
                PROTECT(lib_sym(b + pc->op1, b + GB + pc->op2));
                break;
            case i_CALL_EXT: {
                const ZQVal* entry = b + GB + pc->op1;
                if (entry->tipo != s_ADDR || !entry->ptr) FAIL(ar_LIB_SYM);
                PROTECT(reinterpret_cast<void (*)(ZQExec*)>(entry->ptr)(this));
                break;
            }
            default:
                FAIL(ar_BAD_INST);
        }
        ++pc;
        if constexpr (!Loop) break;
    }
    PC = pc;
    top = t;
}

void ZQExec::execOneInst() {
    run<false>();
}

void ZQExec::run_loop() {
    run<true>();
}
