// Runs a hand-built counting loop on the virtual machine and reports instructions per second.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "lang/zqexec.h"

namespace {

// s := 0; i := 0; mientras i < n: s := s + i * 2; i := i + 1. Seventeen instructions a turn.
void emit_loop(ZQExec& e, int n) {
    e.emit(i_ENTER, 0, 2);
    e.emit(i_LD_INT, 0, 0);
    e.emit(i_LD_NUM, 0, 0);  // i
    e.emit(i_LD_NUM, 0, 0);  // s
    const int loop = e.nextAddr();
    e.emit(i_LD_GLOBAL, 1, 1);
    e.emit(i_LD_NUM, n, 0);
    e.emit(i_LT, 0, 0);
    e.emit(i_JMPF, 14, 0);
    e.emit(i_LD_ADDR_GLOBAL, 2, 0);
    e.emit(i_LD_GLOBAL, 2, 1);
    e.emit(i_LD_GLOBAL, 1, 1);
    e.emit(i_LD_NUM, 2, 0);
    e.emit(i_MUL, 0, 0);
    e.emit(i_ADD, 0, 0);
    e.emit(i_STORE, 0, 1);
    e.emit(i_LD_ADDR_GLOBAL, 1, 0);
    e.emit(i_LD_GLOBAL, 1, 1);
    e.emit(i_LD_NUM, 1, 0);
    e.emit(i_ADD, 0, 0);
    e.emit(i_STORE, 0, 1);
    e.emit(i_JMP, loop - e.nextAddr(), 0);
    e.emit(i_HALT, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000000;
    ZQExec e(100);
    if (!e.createStack(9000)) return 1;
    emit_loop(e, n);
    fpu_reset();
    if (!e.initExec(nullptr, 0)) return 1;
    const auto start = std::chrono::steady_clock::now();
    const int ok = e.exec(0, 0);
    const std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
    const long double s = e.getInternalStackPtr()[e.getGB() + 2].num;
    const long double expected = static_cast<long double>(n) * (n - 1);
    if (!ok || s != expected) {
        std::fprintf(stderr, "vm_bench: wrong result %Lg (expected %Lg)\n", s, expected);
        return 1;
    }
    const double insts = 17.0 * n + 9;  // every turn, the set-up, the last test and the halt
    std::printf("vm_bench: %.0f instructions in %.3f s: %.1f million instructions/s\n", insts,
                secs.count(), insts / secs.count() / 1e6);
    return 0;
}
