#include "lang/zqexec.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "lang/fpu.h"

namespace {

ZQExec* current_zqexec = nullptr;

}  // namespace

void set_current_zqexec(ZQExec* e) {
    current_zqexec = e;
}
ZQExec* get_current_zqexec() {
    return current_zqexec;
}
int fpu_is_avail() {
    return 1;
}

void fpu_reset() {
    const uint16_t cw = fpu_get_cw();
    fpu_set_cw(
        static_cast<uint16_t>((cw & ~(FPU_RC_MASK | FPU_EXC_MASKS)) | FPU_RC_UP | FPU_EXC_MASKS));
}

void FPE_handler(int, int) {
    if (current_zqexec) {
        current_zqexec->abort(ar_MATH);
        return;
    }
    std::fflush(stdout);
    std::printf("\nError de punto flotante.\nPrograma cancelado");
    std::fflush(stdout);
    std::exit(1);
}

ZQExec::ZQExec(int code_capacity) : ZQCode(code_capacity) {}

ZQExec::~ZQExec() {
    stop();
    if (current_zqexec == this) current_zqexec = nullptr;
    if (owns_def_stdin) delete def_stdin;
    if (owns_def_stdout) delete def_stdout;
}

int ZQExec::initExec(char** args, int nargs) {
    if (getState() != st_STOPPED) return abort_code == ar_NONE;
    argv = args;
    argc = nargs;
    line = 0;
    routine = 0;
    abort_code = ar_NONE;
    console = 0;
    set_current_zqexec(this);
    code_start = code;
    if (nextAddr() == 0 || !base) {
        abort(ar_NO_CODE);
        setState(st_STOPPED);
        return 0;
    }
    GB = constants_size + 1;
    top = base + constants_size - 1;
    PC = code_start;
    FP = 0;
    create_default_io_channels();
    if (!cur_stdin || !cur_stdout) {
        abort(ar_NO_MEMORY);
        setState(st_STOPPED);
    }
    return abort_code == ar_NONE;
}

int ZQExec::exec(unsigned, unsigned) {
    assert(base != nullptr);
    const int s = getState();
    if (s != st_STOPPED && s != st_PAUSED) return 0;
    if (!top || !PC) return 0;
    setState(st_RUNNING);
    if (chkstk(0)) run_loop();
    if (getState() == st_ABORTED) {
        reportError();
        stop();
    }
    return abort_code == ar_NONE;
}

void ZQExec::reportError() {
    if (!cur_stdout) return;
    cur_stdout->flush();
    cur_stdout->imprimir_str("\n\nError de ejecucion");
    if (line != 0) {
        char buf[32];
        std::snprintf(buf, sizeof buf, " (linea=%d)", line);
        cur_stdout->imprimir_str(buf);
    }
    const char* d = get_abort_descrip(abort_code);
    cur_stdout->imprimir_str(": ");
    cur_stdout->imprimir_str(d ? d : "");
    cur_stdout->flush();
}

void ZQExec::initConsole() {
    console = 1;
}

void ZQExec::abort(abort_reason r) {
    abort_code = r;
    setState(st_ABORTED);
}

void ZQExec::stop() {
    if (!base || !top) return;
    ZQVal* const last_const = base + constants_size - 1;
    while (top > last_const) pop();
    top = nullptr;
    if (cur_stdin) cur_stdin->flush();
    if (cur_stdout) cur_stdout->flush();
    set_stdin("");
    set_stdout("", "");
    setState(st_STOPPED);
}

void ZQExec::set_def_stdin(ZQ_DefInput_File* in) {
    if (cur_stdin == def_stdin) cur_stdin = in;
    if (owns_def_stdin) delete def_stdin;
    def_stdin = in;
    owns_def_stdin = false;
}

void ZQExec::set_def_stdout(ZQ_DefOutput_File* out) {
    if (cur_stdout == def_stdout) cur_stdout = out;
    if (owns_def_stdout) delete def_stdout;
    def_stdout = out;
    owns_def_stdout = false;
}

void ZQExec::create_default_io_channels() {
    if (!def_stdin) {
        def_stdin = new (std::nothrow) ZQ_DefInput_File(this);
        owns_def_stdin = def_stdin != nullptr;
    }
    if (!def_stdout) {
        def_stdout = new (std::nothrow) ZQ_DefOutput_File(this);
        owns_def_stdout = def_stdout != nullptr;
    }
    if (!cur_stdin) cur_stdin = def_stdin;
    if (!cur_stdout) cur_stdout = def_stdout;
}

namespace {

// Shared by both redirections: replaces the current channel by a new one on path, or
// returns to the default one for an empty path.
template <typename Channel>
int redirect(ZQExec* e, Channel*& cur, Channel* def, const char* path, const char* mode) {
    if (*path) {
        FILE* f = std::fopen(path, mode);
        if (!f) return 0;
        Channel* ch = new (std::nothrow) Channel(e);
        if (!ch) {
            std::fclose(f);
            e->abort(ar_NO_MEMORY);
            return 0;
        }
        ch->set_fp(f);
        if (cur != def) delete cur;
        cur = ch;
        return 1;
    }
    if (cur != def) delete cur;
    cur = def;
    return 1;
}

}  // namespace

int ZQExec::set_stdin(const char* path) {
    return redirect(this, cur_stdin, def_stdin, path, "r");
}

int ZQExec::set_stdout(const char* path, const char* mode) {
    return redirect(this, cur_stdout, def_stdout, path, mode);
}

void ZQExec::shallowCopy(const ZQExec* other) {
    ZQCode::shallowCopy(other);
    ZQ_RTStack::shallowCopy(other);
    code_start = other->code_start;
    setState(other->getState());
    FP = other->FP;
    line = other->line;
    routine = other->routine;
    abort_code = other->abort_code;
    GB = other->GB;
    PC = other->PC;
    cur_stdin = other->cur_stdin;
    cur_stdout = other->cur_stdout;
    def_stdin = other->def_stdin;
    def_stdout = other->def_stdout;
    owns_def_stdin = false;
    owns_def_stdout = false;
    console = other->console;
    argv = other->argv;
    argc = other->argc;
}
