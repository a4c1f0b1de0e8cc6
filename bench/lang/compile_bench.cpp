// Time to compile a program that fills the 9,000-instruction code segment, in process.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "compiler/tablemgr.h"
#include "compiler/zqparser_text.h"
#include "lang/zqexec.h"

namespace {

// Assignments with arithmetic and array elements, in subroutines of fifty statements:
// thirteen of them bring the code to just under the 9,000 instructions of the segment.
std::string big_program() {
    std::string s = "var a, b : numerico\n  v : vector [10] numerico\ninicio\n";
    for (int i = 0; i < 40; ++i) s += "a = a + " + std::to_string(i) + " * b\n";
    s += "fin\n";
    for (int sub = 0; sub < 13; ++sub) {
        s += "sub f" + std::to_string(sub) +
             "(x : numerico) retorna numerico\nvar y : numerico\ninicio\n";
        for (int i = 0; i < 50; ++i) {
            s += "y = y + x * " + std::to_string(i % 10) + "; v[" + std::to_string(i % 10 + 1) +
                 "] = y\n";
        }
        s += "retorna y\nfin\n";
    }
    return s;
}

}  // namespace

int main() {
    const std::string source = big_program();
    std::vector<double> ms;
    int instructions = 0;
    for (int run = 0; run < 21; ++run) {
        const auto start = std::chrono::steady_clock::now();
        ZQExec exec(9000);
        exec.createStack(9000);
        TableMgr table(&exec);
        ZQParser_Text parser(source, &exec, &table, 1);
        parser.parse();
        const auto end = std::chrono::steady_clock::now();
        if (parser.getError()) {
            std::fprintf(stderr, "compile_bench: %s\n", parser.errors().front().getMessage());
            return 1;
        }
        instructions = exec.nextAddr();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("compile   %d instructions, median %.2f ms\n", instructions, ms[ms.size() / 2]);
    return 0;
}
