#include "lang/fpu.h"
#include "lang/stdf_call.h"

namespace {

void ensure_console(ZQExec& e) {
    if (!e.getConsoleFlag()) e.initConsole();
}

using Setter = void (ZQ_DefOutput_File::*)(int, int);
using Getter = void (ZQ_DefOutput_File::*)(int*, int*);

void set_pair(ZQExec& e, Setter op) {
    StdfCall c(e, 2);
    (e.get_cur_stdout()->*op)(trunc_i32(c.num(0)), trunc_i32(c.num(1)));
    c.none();
}

// Both variables get 0 when the channel leaves the values untouched.
void get_pair(ZQExec& e, Getter op) {
    StdfCall c(e, 2);
    int a = 0, b = 0;
    (e.get_cur_stdout()->*op)(&a, &b);
    c.ref(0)->num = a;
    c.ref(1)->num = b;
    c.none();
}

}  // namespace

bool stdf_screen(ZQExec& e, STDF_ID id) {
    switch (id) {
        case sf_CLS:
            ensure_console(e);
            e.get_cur_stdout()->cls();
            return true;
        case sf_SET_CURPOS:
            ensure_console(e);
            set_pair(e, &ZQ_DefOutput_File::set_curpos);
            return true;
        case sf_SET_COLOR:
            ensure_console(e);
            set_pair(e, &ZQ_DefOutput_File::set_color);
            return true;
        case sf_BEEP:
            set_pair(e, &ZQ_DefOutput_File::beep);
            return true;
        case sf_GET_CURPOS:
            get_pair(e, &ZQ_DefOutput_File::get_curpos);
            return true;
        case sf_GET_COLOR:
            get_pair(e, &ZQ_DefOutput_File::get_color);
            return true;
        case sf_GET_SCRSIZE:
            get_pair(e, &ZQ_DefOutput_File::get_screen_size);
            return true;
        case sf_READKEY: {
            ensure_console(e);
            StdfCall c(e, 1);
            c.result_num(e.get_cur_stdin()->readkey(trunc_i32(c.num(0))));
            return true;
        }
        default:
            return false;
    }
}
