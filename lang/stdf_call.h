#pragma once

#include "lang/exact_int.h"
#include "lang/zqexec.h"

// The arguments of one standard subroutine on top of the stack, and the placing of its
// result in their stead.
class StdfCall {
    ZQExec& e;
    int n;
    ZQVal* first;

  public:
    StdfCall(ZQExec& e, int nargs) : e(e), n(nargs), first(e.getTopPtr() - nargs + 1) {}

    ZQExec& exec() const { return e; }
    ZQVal* arg(int i) const { return first + i; }
    long double num(int i) const { return first[i].num; }
    const char* str(int i) const { return first[i].str; }
    ZQVal* ref(int i) const { return first[i].addr; }

    void none() {
        for (int i = 0; i < n; ++i) e.pop();
    }
    // Takes over what v owns.
    void result(ZQVal v) {
        if (n == 0) {
            e.push_from(&v);
            rm_val(&v);
            return;
        }
        for (int i = 1; i < n; ++i) e.pop();
        rm_val(first);
        *first = v;
    }
    void result_num(long double x) {
        ZQVal v{};
        v.tipo = s_NUM;
        v.num = x;
        result(v);
    }
    void result_bool(bool b) {
        ZQVal v{};
        v.tipo = s_BOOL;
        v.b = b ? 1 : 0;
        result(v);
    }
    // Takes over s; a null s (no memory, or over the string limit) aborts 11.
    void result_str(char* s) {
        if (!s) return e.abort(ar_NO_MEMORY);
        ZQVal v{};
        v.tipo = s_STR;
        v.str = s;
        result(v);
    }
    void result_text(const char* s) { result_str(zqval_strdup(s)); }
};

// Moves a variable by sign times step: on integers when both are exact.
inline __attribute__((always_inline)) void step_number(long double* var, const long double& step,
                                                       int sign) {
    int64_t x, by;
    if (exact_int(*var, &x) && exact_int(step, &by))
        set_exact(var, x + sign * by);
    else
        *var += sign * step;
}

// inc and dec on their two argument cells (the variable's address, the step): the variable
// moves by the step and its new value takes the first cell. Shared with the execution loop,
// which runs them inline at every turn of a desde.
inline void stdf_inc_dec(ZQVal* args, int sign) {
    ZQVal* var = args[0].addr;
    step_number(&var->num, args[1].num, sign);
    args[0] = *var;
    args[0].tipo = s_NUM;
}

// Each group runs the subroutines it knows and returns false for any other identifier.
bool stdf_general(ZQExec& e, STDF_ID id);
bool stdf_math(ZQExec& e, STDF_ID id);
bool stdf_string(ZQExec& e, STDF_ID id);
bool stdf_io(ZQExec& e, STDF_ID id);
bool stdf_screen(ZQExec& e, STDF_ID id);
bool stdf_env(ZQExec& e, STDF_ID id);
