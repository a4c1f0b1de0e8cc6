// The instruction sequences that the language fixes for its constructs.
#include <gtest/gtest.h>

#include <string>

#include "tests/compiler/test_support.h"

namespace {

struct ShapeCase {
    const char* what;
    const char* source;
    char debug;
    const char* code;
};

class CodeShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(CodeShape, MatchesTheFixedSequence) {
    Compilation c(GetParam().source, 1, GetParam().debug);
    ASSERT_EQ(c.error(), 0) << c.firstError().getMessage();
    EXPECT_EQ(c.code(), GetParam().code) << GetParam().what;
}

// Pool indexes: 0 is 0, 2 false, 3 true (the predefined defaults and constants come first).
INSTANTIATE_TEST_SUITE_P(
    Constructs, CodeShape,
    testing::Values(
        ShapeCase{"desde keeps four cells and a direction flag; salir leaves through the pop",
                  "var i : numerico\ninicio\ndesde i = 1 hasta 3 { salir }\nfin", 1,
                  "   0  i_ENTER 0 1\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 0 0\n"
                  "   3  i_LINE 0 3\n"
                  "   4  i_LD_ADDR_GLOBAL 1 0\n"
                  "   5  i_LD_CONST 7 1\n"
                  "   6  i_CALL_STDF 206 0\n"
                  "   7  i_LD_CONST 11 1\n"
                  "   8  i_CALL_STDF 206 0\n"
                  "   9  i_LD_NUM 1 0\n"
                  "  10  i_DUP -3 0\n"
                  "  11  i_DUP -3 0\n"
                  "  12  i_STORE 0 1\n"
                  "  13  i_DUP 0 0\n"
                  "  14  i_LD_NUM 1 0\n"
                  "  15  i_GE 0 0\n"
                  "  16  i_DUP -4 0\n"
                  "  17  i_LD_INDIRECT 0 1\n"
                  "  18  i_DUP -3 0\n"
                  "  19  i_DUP -2 0\n"
                  "  20  i_JMPT 3 0\n"
                  "  21  i_LT 0 0\n"
                  "  22  i_JMP 2 0\n"
                  "  23  i_GT 0 0\n"
                  "  24  i_JMPT 7 0\n"
                  "  25  i_JMP 6 0\n"
                  "  26  i_DUP -4 0\n"
                  "  27  i_DUP -2 0\n"
                  "  28  i_CALL_STDF 100 0\n"
                  "  29  i_POP 0 1\n"
                  "  30  i_JMP -14 0\n"
                  "  31  i_POP 0 5\n"
                  "  32  i_LINE 0 4\n"
                  "  33  i_POP 0 1\n"
                  "  34  i_POP 0 1\n"
                  "  35  i_HALT 0 0\n"},
        ShapeCase{"si with sino si and sino: one exit jump, a marker before each sino si",
                  "var x : numerico\ninicio\nsi (x > 1) { x = 1\nsino si (x > 2)\nx = 2\nsino\nx "
                  "= 3\n}\nfin",
                  1,
                  "   0  i_ENTER 0 1\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 0 0\n"
                  "   3  i_LINE 0 3\n"
                  "   4  i_JMP 2 0\n"
                  "   5  i_JMP 23 0\n"
                  "   6  i_LD_GLOBAL 1 1\n"
                  "   7  i_LD_CONST 7 1\n"
                  "   8  i_GT 0 0\n"
                  "   9  i_JMPF 5 0\n"
                  "  10  i_LD_ADDR_GLOBAL 1 0\n"
                  "  11  i_LD_CONST 7 1\n"
                  "  12  i_STORE 0 1\n"
                  "  13  i_JMP -8 0\n"
                  "  14  i_LINE 0 4\n"
                  "  15  i_LD_GLOBAL 1 1\n"
                  "  16  i_LD_CONST 4 1\n"
                  "  17  i_GT 0 0\n"
                  "  18  i_JMPF 6 0\n"
                  "  19  i_LINE 0 5\n"
                  "  20  i_LD_ADDR_GLOBAL 1 0\n"
                  "  21  i_LD_CONST 4 1\n"
                  "  22  i_STORE 0 1\n"
                  "  23  i_JMP -18 0\n"
                  "  24  i_LINE 0 7\n"
                  "  25  i_LD_ADDR_GLOBAL 1 0\n"
                  "  26  i_LD_CONST 11 1\n"
                  "  27  i_STORE 0 1\n"
                  "  28  i_LINE 0 9\n"
                  "  29  i_POP 0 1\n"
                  "  30  i_POP 0 1\n"
                  "  31  i_HALT 0 0\n"},
        ShapeCase{"an && chain shares one false constant; `or' then combines both sides",
                  "var a, b, c : logico\ninicio\na = a && b && c or b\nfin", 0,
                  "   0  i_ENTER 0 3\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 2 0\n"
                  "   3  i_LD_DEFVAL 2 0\n"
                  "   4  i_LD_DEFVAL 2 0\n"
                  "   5  i_LD_ADDR_GLOBAL 1 0\n"
                  "   6  i_LD_GLOBAL 1 1\n"
                  "   7  i_JMP 3 0\n"
                  "   8  i_LD_CONST 2 1\n"
                  "   9  i_JMP 5 0\n"
                  "  10  i_JMPF -2 0\n"
                  "  11  i_LD_GLOBAL 2 1\n"
                  "  12  i_JMPF -4 0\n"
                  "  13  i_LD_GLOBAL 3 1\n"
                  "  14  i_LD_GLOBAL 2 1\n"
                  "  15  i_OR 0 0\n"
                  "  16  i_STORE 0 1\n"
                  "  17  i_POP 0 3\n"
                  "  18  i_POP 0 1\n"
                  "  19  i_HALT 0 0\n"},
        ShapeCase{"a || chain uses the true constant and i_JMPT",
                  "var a, b : logico\ninicio\na = a || b\nfin", 0,
                  "   0  i_ENTER 0 2\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 2 0\n"
                  "   3  i_LD_DEFVAL 2 0\n"
                  "   4  i_LD_ADDR_GLOBAL 1 0\n"
                  "   5  i_LD_GLOBAL 1 1\n"
                  "   6  i_JMP 3 0\n"
                  "   7  i_LD_CONST 3 1\n"
                  "   8  i_JMP 3 0\n"
                  "   9  i_JMPT -2 0\n"
                  "  10  i_LD_GLOBAL 2 1\n"
                  "  11  i_STORE 0 1\n"
                  "  12  i_POP 0 2\n"
                  "  13  i_POP 0 1\n"
                  "  14  i_HALT 0 0\n"},
        ShapeCase{"a function call: stack check, result slot, arguments, patched call, frame",
                  "var r : numerico\n  s : cadena\ninicio\nr = f(2, s)\nfin\nsub f(a : numerico; "
                  "ref s : cadena) retorna numerico\nvar t : numerico\ninicio\nretorna a\nfin",
                  1,
                  "   0  i_ENTER 0 2\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 0 0\n"
                  "   3  i_LD_DEFVAL 1 0\n"
                  "   4  i_LINE 0 4\n"
                  "   5  i_LD_ADDR_GLOBAL 1 0\n"
                  "   6  i_CHKSTK 0 3\n"
                  "   7  i_LD_DEFVAL 0 0\n"
                  "   8  i_LD_CONST 4 1\n"
                  "   9  i_LD_ADDR_GLOBAL 2 0\n"
                  "  10  i_CALL 17 0\n"
                  "  11  i_LINE_RET 0 4\n"
                  "  12  i_STORE 0 1\n"
                  "  13  i_LINE 0 5\n"
                  "  14  i_POP 0 2\n"
                  "  15  i_POP 0 1\n"
                  "  16  i_HALT 0 0\n"
                  "  17  i_ENTER 0 1\n"
                  "  18  i_LD_DEFVAL 0 0\n"
                  "  19  i_LINE 17 9\n"
                  "  20  i_LD_ADDR_LOCAL -4 0\n"
                  "  21  i_LD_LOCAL -3 1\n"
                  "  22  i_STORE 0 1\n"
                  "  23  i_LINE 17 10\n"
                  "  24  i_RET 0 3\n"},
        ShapeCase{"array literals: one block by i_DIM, the fill by i_REPLICATE, {} no storage",
                  "var v : vector [4] numerico = {7, 8, ...}\nvar w : vector [*] numerico = "
                  "{}\ninicio\nfin",
                  0,
                  "   0  i_ENTER 0 2\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_NUM 0 0\n"
                  "   3  i_LD_NUM 4 0\n"
                  "   4  i_LD_DEFVAL 0 0\n"
                  "   5  i_DIM 0 1\n"
                  "   6  i_LD_ADDR_GLOBAL 1 0\n"
                  "   7  i_LD_NUM 0 0\n"
                  "   8  i_LD_NUM 1 0\n"
                  "   9  i_LD_CONST 12 1\n"
                  "  10  i_LD_CONST 13 1\n"
                  "  11  i_REPLICATE 2 1\n"
                  "  12  i_DIM 0 4\n"
                  "  13  i_STORE 0 1\n"
                  "  14  i_LD_NULLARRAY 0 0\n"
                  "  15  i_LD_ADDR_GLOBAL 2 0\n"
                  "  16  i_LD_NULLARRAY 0 0\n"
                  "  17  i_STORE 0 1\n"
                  "  18  i_POP 0 2\n"
                  "  19  i_POP 0 1\n"
                  "  20  i_HALT 0 0\n"},
        ShapeCase{"a library and its routines take one global cell each, loaded in order",
                  "libext m (\"libm.so\")\n  seno(x : numerico) retorna numerico\n  coseno(x : "
                  "numerico) retorna numerico\nvar g : numerico\ninicio\ng = seno(1) + "
                  "coseno(2)\nfin",
                  0,
                  "   0  i_ENTER 0 4\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LIB_LOAD 11 0\n"
                  "   3  i_LIB_SYM 12 1\n"
                  "   4  i_LIB_SYM 13 1\n"
                  "   5  i_LD_DEFVAL 0 0\n"
                  "   6  i_LD_ADDR_GLOBAL 4 0\n"
                  "   7  i_LD_CONST 7 1\n"
                  "   8  i_CALL_EXT 2 0\n"
                  "   9  i_LD_CONST 4 1\n"
                  "  10  i_CALL_EXT 3 0\n"
                  "  11  i_ADD 0 0\n"
                  "  12  i_STORE 0 1\n"
                  "  13  i_POP 0 4\n"
                  "  14  i_POP 0 1\n"
                  "  15  i_HALT 0 0\n"},
        ShapeCase{"a mientras loop jumps back to its own line marker; blank lines add none",
                  "var x : numerico\ninicio\n\n\nmientras (x < 3) { x = x + 1 }\nfin", 1,
                  "   0  i_ENTER 0 1\n"
                  "   1  i_LD_INT 0 0\n"
                  "   2  i_LD_DEFVAL 0 0\n"
                  "   3  i_LINE 0 5\n"
                  "   4  i_LD_GLOBAL 1 1\n"
                  "   5  i_LD_CONST 11 1\n"
                  "   6  i_LT 0 0\n"
                  "   7  i_JMPF 7 0\n"
                  "   8  i_LD_ADDR_GLOBAL 1 0\n"
                  "   9  i_LD_GLOBAL 1 1\n"
                  "  10  i_LD_CONST 7 1\n"
                  "  11  i_ADD 0 0\n"
                  "  12  i_STORE 0 1\n"
                  "  13  i_JMP -10 0\n"
                  "  14  i_LINE 0 6\n"
                  "  15  i_POP 0 1\n"
                  "  16  i_POP 0 1\n"
                  "  17  i_HALT 0 0\n"}));

TEST(CodeGeneration, WithoutLineInformationOnlyTheMarkersDisappear) {
    const char* source =
        "var r : numerico\ninicio\nr = f(1); r = f(2)\nimprimir(r)\nfin\nsub f(a : numerico) "
        "retorna numerico\ninicio\nretorna a\nfin";
    Compilation withLines(source, 1, 1);
    Compilation without(source, 1, 0);
    ASSERT_EQ(withLines.error(), 0);
    ASSERT_EQ(without.error(), 0);
    EXPECT_EQ(without.exec.getDebugFlag(), 0);
    EXPECT_EQ(withLines.exec.getDebugFlag(), 1);
    // Two statements on one line share one marker.
    std::string filtered;
    int markers = 0;
    for (int i = 0; i < withLines.exec.nextAddr(); ++i) {
        const INST& in = *withLines.exec.getInst(i);
        if (in.opcode == i_LINE || in.opcode == i_LINE_RET) {
            ++markers;
            continue;
        }
        filtered += disassemble_inst(in).substr(0, disassemble_inst(in).find(' ')) + "\n";
    }
    std::string plain;
    for (int i = 0; i < without.exec.nextAddr(); ++i) {
        const std::string text = disassemble_inst(*without.exec.getInst(i));
        plain += text.substr(0, text.find(' ')) + "\n";
    }
    EXPECT_EQ(filtered, plain);
    EXPECT_EQ(markers, 7);  // lines 3, 4, 5, 8, 9 and the two returns from f
}

TEST(CodeGeneration, RecursiveAndForwardCallsGetTheFinalAddress) {
    Compilation c(
        "inicio\nimprimir(f(3))\nfin\nsub g()\ninicio\nfin\nsub f(n : numerico) retorna "
        "numerico\ninicio\ng()\nretorna ifval(n < 1, 0, f(n - 1))\nfin",
        1, 0);
    ASSERT_EQ(c.error(), 0);
    const ProcInfo* f = static_cast<ProcInfo*>(c.table.find("f", ss_ALL));
    const ProcInfo* g = static_cast<ProcInfo*>(c.table.find("g", ss_ALL));
    int callsToF = 0;
    int callsToG = 0;
    for (int i = 0; i < c.exec.nextAddr(); ++i) {
        const INST& in = *c.exec.getInst(i);
        if (in.opcode != i_CALL) continue;
        callsToF += in.op1 == f->address();
        callsToG += in.op1 == g->address();
    }
    EXPECT_EQ(callsToF, 2);
    EXPECT_EQ(callsToG, 1);
    EXPECT_EQ(c.exec.getInst(f->address())->opcode, i_ENTER);
}

TEST(CodeGeneration, GlobalsArePushedInTheOrderOfTheirAddresses) {
    Compilation c(
        "tipos P : registro { a, b : numerico }\nvar p : P\n  n : numerico\n  s : "
        "cadena\ninicio\nfin",
        1, 0);
    ASSERT_EQ(c.error(), 0);
    EXPECT_EQ(static_cast<Var*>(c.table.find("p", ss_ALL))->address(), 1);
    EXPECT_EQ(static_cast<Var*>(c.table.find("n", ss_ALL))->address(), 3);
    EXPECT_EQ(static_cast<Var*>(c.table.find("s", ss_ALL))->address(), 4);
    EXPECT_EQ(c.code(),
              "   0  i_ENTER 0 4\n   1  i_LD_INT 0 0\n   2  i_LD_DEFVAL 0 0\n   3  i_LD_DEFVAL 0 "
              "0\n   4  i_LD_DEFVAL 0 0\n   5  i_LD_DEFVAL 1 0\n   6  i_POP 0 4\n   7  i_POP 0 "
              "1\n   8  i_HALT 0 0\n");
}

TEST(CodeGeneration, OmittedArgumentsLoadTheirDefaults) {
    Compilation c("var s : cadena\ninicio\ns = substr(s, 2) + str(1)\nbeep()\nfin", 1, 0);
    ASSERT_EQ(c.error(), 0);
    const std::string code = c.code();
    auto count = [&code](const std::string& what) {
        int n = 0;
        for (size_t p = code.find(what); p != std::string::npos; p = code.find(what, p + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("i_CALL_STDF 401 0"), 1);
    EXPECT_EQ(count("i_CALL_STDF 300 0"), 1);
    EXPECT_EQ(count("i_CALL_STDF 604 0"), 1);
    // substr's -1, str's 0, 2 and " ", beep's 500 and 100: six default loads.
    EXPECT_EQ(count("i_LD_CONST"), 2 + 6);
}

}  // namespace
