#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lang/fpu.h"
#include "tests/core/vm_fixture.h"

namespace {

struct CallCase {
    std::vector<ZQVal> args;  // pushed in order from the constant pool
    STDF_ID id;
    const char* top;  // describe() of the result, or the abort message
};

ZQVal N(long double x) {
    return num_cell(x);
}
ZQVal S(const char* s) {
    return str_cell(s);
}
ZQVal B(bool b) {
    return bool_cell(b);
}

// Runs one call with its arguments as constants; the result cell or the abort message.
std::string call(const CallCase& c) {
    CaptureOut out;
    ZQExec e(20);
    e.createStack(500);
    e.set_def_stdout(&out);
    for (const ZQVal& v : c.args) {
        ZQVal copy{};
        zqval_copy(&copy, &v);
        e.addConst(&copy);
    }
    for (int i = 0; i < static_cast<int>(c.args.size()); ++i) e.emit(i_LD_CONST, i, 1);
    e.emit(i_CALL_STDF, c.id, 0);
    e.emit(i_HALT);
    e.initExec(nullptr, 0);
    if (!e.exec(0, 0)) return get_abort_descrip(static_cast<abort_reason>(e.getAbortReason()));
    const ZQVal* base = e.getInternalStackPtr() + e.getConstantsSize();
    if (e.getTopPtr() != base) return "wrong stack: " + std::to_string(e.getTopPtr() - base);
    return describe(e.getTopPtr());
}

TEST(Stdf, ResultTable) {
    const CallCase cases[] = {
        {{N(1), N(0)}, sf_RANDOM, "n:0"},
        {{N(0), N(0)}, sf_RANDOM, "n:0"},
        {{N(-5), N(0)}, sf_RANDOM, "n:0"},
        {{N(65)}, sf_ASCII, "s:A"},
        {{N(321)}, sf_ASCII, "s:A"},
        {{N(0)}, sf_ASCII, "s:"},
        {{S("")}, sf_ORD, "n:0"},
        {{S("\xf1")}, sf_ORD, "n:-15"},
        {{S("Ab")}, sf_ORD, "n:65"},
        {{N(3), N(2)}, sf_MIN, "n:2"},
        {{S("b"), S("a")}, sf_MIN, "s:a"},
        {{N(2), N(3)}, sf_MAX, "n:3"},
        {{B(false), B(true)}, sf_MAX, "b:1"},
        {{N(-2.5L)}, sf_ABS, "n:2.5"},
        {{N(1)}, sf_ARCTAN, "n:0.785398"},
        {{N(0)}, sf_SIN, "n:0"},
        {{N(0)}, sf_COS, "n:1"},
        {{N(0)}, sf_TAN, "n:0"},
        {{N(0)}, sf_EXP, "n:1"},
        {{N(100000)}, sf_EXP, "n:inf"},
        {{N(-7.9L)}, sf_INT, "n:-7"},
        {{N(5e9L)}, sf_INT, "n:5e+09"},
        {{N(100)}, sf_LOG, "n:2"},
        {{N(0)}, sf_LOG, "Durante calculo matematico"},
        {{N(-1)}, sf_LOG, "Durante calculo matematico"},
        {{N(16)}, sf_SQRT, "n:4"},
        {{N(-1)}, sf_SQRT, "Durante calculo matematico"},
        {{N(-2.5L), N(7), N(2), S("0")}, sf_STR, "s:00-2.50"},
        {{N(2), N(0), N(0), S(" ")}, sf_STR, "s:2"},
        {{N(5), N(0), N(2), S(" ")}, sf_STR, "s:5.00"},
        {{N(0.25L), N(0), N(2), S(" ")}, sf_STR, "s:0.25"},
        {{N(1), N(300 + 256), N(0), S("*")},
         sf_STR,
         "s:*******************************************1"},
        {{N(7), N(3), N(0), S("")}, sf_STR, "s:  7"},
        {{S("12abc")}, sf_VAL, "n:12"},
        {{S("x")}, sf_VAL, "n:0"},
        {{S("hola")}, sf_STRLEN, "n:4"},
        {{S("hola"), N(2), N(-1)}, sf_SUBSTR, "s:ola"},
        {{S("hola"), N(5), N(1)}, sf_SUBSTR, "s:"},
        {{S("hola"), N(3), N(10)}, sf_SUBSTR, "s:la"},
        {{S("hola"), N(0), N(2)}, sf_SUBSTR, "s:"},
        {{S("hola"), N(-1), N(2)}, sf_SUBSTR, "s:"},
        {{S("hola"), N(1), N(-2)}, sf_SUBSTR, "s:"},
        {{S("hola"), N(1), N(700000)}, sf_SUBSTR, "No hay suficiente memoria"},
        {{S("banana"), S("an"), N(3)}, sf_POS, "n:4"},
        {{S("banana"), S("an"), N(1)}, sf_POS, "n:2"},
        {{S("banana"), S(""), N(1)}, sf_POS, "n:0"},
        {{S("banana"), S("an"), N(0)}, sf_POS, "n:0"},
        {{S("banana"), S("an"), N(7)}, sf_POS, "n:0"},
        {{S(""), S("a"), N(1)}, sf_POS, "n:0"},
        {{S("aBc")}, sf_UPPER, "s:ABC"},
        {{S("aBc")}, sf_LOWER, "s:abc"},
        {{S("ab"), N(3)}, sf_STRDUP, "s:ababab"},
        {{S("x"), N(5)}, sf_STRDUP, "s:xxxxx"},
        {{S("x"), N(0)}, sf_STRDUP, "s:"},
        {{S("x"), N(-2)}, sf_STRDUP, "s:"},
        {{S("ab"), N(400000)}, sf_STRDUP, "No hay suficiente memoria"},
        {{}, sf_GET_IFS, "s:,"},
        {{}, sf_GET_OFS, "s:,<nodim>"},
        {{}, sf_PCOUNT, "n:0"},
        {{N(1)}, sf_PARAMVAL, "s:"},
        {{S("")}, sf_RUNCMD, "n:127"},
        {{S("exit 3")}, sf_RUNCMD, "n:0"},
        {{S("")}, sf_SET_STDIN, "b:1"},
        {{S("/no/such/file")}, sf_SET_STDIN, "b:0"},
        {{N(0)}, sf_READKEY, "n:0"},
        {{N(0)}, sf_IFVAL, "Funcion no definida"},
        {{N(0)}, sf_DIM, "Funcion no definida"},
        {{}, static_cast<STDF_ID>(702), "Funcion no definida"},
    };
    for (const CallCase& c : cases) {
        std::string label = std::to_string(c.id);
        for (const ZQVal& v : c.args) label += " " + describe(&v);
        EXPECT_EQ(call(c), c.top) << label;
        for (ZQVal v : c.args) rm_val(&v);
    }
}

TEST(Stdf, RandomWithSeedRepeats) {
    const CallCase c{{N(10), N(7)}, sf_RANDOM, ""};
    const std::string first = call(c);
    EXPECT_EQ(call(c), first);
    const CallCase unseeded{{N(1000), N(0)}, sf_RANDOM, ""};
    const std::string r = call(unseeded);
    EXPECT_EQ(r.substr(0, 2), "n:");
    const long double x = str2num(r.c_str() + 2);
    EXPECT_GE(x, 0);
    EXPECT_LT(x, 1000);
}

TEST(Stdf, ProgramArguments) {
    CaptureOut out;
    ZQExec e(10);
    e.createStack(500);
    e.set_def_stdout(&out);
    ZQVal two = N(2);
    e.addConst(&two);
    e.emit(i_CALL_STDF, sf_PCOUNT, 0);
    e.emit(i_LD_CONST, 0, 1);
    e.emit(i_CALL_STDF, sf_PARAMVAL, 0);
    e.emit(i_HALT);
    char a[] = "uno", b[] = "dos";
    char* argv[] = {a, b};
    ASSERT_TRUE(e.initExec(argv, 2));
    ASSERT_TRUE(e.exec(0, 0));
    EXPECT_STREQ(e.getTopPtr()->str, "dos");
    EXPECT_EQ(e.getTopPtr()[-1].num, 2);
}

// Programs with globals: ENTER, slot 0, then the globals given, then the body.
class StdfProgram : public VMTest {
  protected:
    int run_with_globals(std::initializer_list<ZQVal> globals, std::initializer_list<INST> body) {
        code({{i_ENTER, 0, static_cast<uint32_t>(globals.size())}, {i_LD_INT, 0, 0}});
        int k = 0;
        for (ZQVal g : globals) {
            e.addConst(&g);
            code({{i_LD_CONST, e.getConstantsSize() - 1, 1}});
            ++k;
        }
        return run(body);
    }
    ZQVal* global(int i) { return e.getInternalStackPtr() + e.getGB() + i; }
};

TEST_F(StdfProgram, ReferenceParameters) {
    consts({N(3), S("x")});
    ASSERT_EQ(run_with_globals({N(10), S("hola"), N(1), N(2)}, {{i_LD_ADDR_GLOBAL, 1, 0},
                                                                {i_LD_CONST, 0, 1},
                                                                {i_CALL_STDF, sf_INC, 0},
                                                                {i_POP, 0, 1},
                                                                {i_LD_ADDR_GLOBAL, 1, 0},
                                                                {i_LD_NUM, 1, 0},
                                                                {i_CALL_STDF, sf_DEC, 0},
                                                                {i_LD_ADDR_GLOBAL, 2, 0},
                                                                {i_LD_NUM, 2, 0},
                                                                {i_LD_CONST, 1, 1},
                                                                {i_CALL_STDF, sf_REPLCH, 0},
                                                                {i_LD_ADDR_GLOBAL, 2, 0},
                                                                {i_LD_NUM, 9, 0},
                                                                {i_LD_CONST, 1, 1},
                                                                {i_CALL_STDF, sf_REPLCH, 0},
                                                                {i_LD_ADDR_GLOBAL, 3, 0},
                                                                {i_LD_ADDR_GLOBAL, 4, 0},
                                                                {i_CALL_STDF, sf_INTERCAMBIAR, 1},
                                                                {i_HALT, 0, 0}}),
              1)
        << out.text;
    EXPECT_EQ(top()->num, 12) << "dec's result stays when not dropped";
    EXPECT_EQ(global(1)->num, 12);
    EXPECT_STREQ(global(2)->str, "hxla");
    EXPECT_EQ(global(3)->num, 2);
    EXPECT_EQ(global(4)->num, 1);
}

TEST_F(StdfProgram, ScreenQueriesGiveZeroOnStreams) {
    ASSERT_EQ(run_with_globals({N(5), N(6)}, {{i_CALL_STDF, sf_CLS, 0},
                                              {i_LD_NUM, 1, 0},
                                              {i_LD_NUM, 2, 0},
                                              {i_CALL_STDF, sf_SET_CURPOS, 0},
                                              {i_LD_NUM, 1, 0},
                                              {i_LD_NUM, 2, 0},
                                              {i_CALL_STDF, sf_SET_COLOR, 0},
                                              {i_LD_NUM, 0, 0},
                                              {i_LD_NUM, 0, 0},
                                              {i_CALL_STDF, sf_BEEP, 0},
                                              {i_LD_ADDR_GLOBAL, 1, 0},
                                              {i_LD_ADDR_GLOBAL, 2, 0},
                                              {i_CALL_STDF, sf_GET_CURPOS, 0},
                                              {i_HALT, 0, 0}}),
              1);
    EXPECT_EQ(global(1)->num, 0);
    EXPECT_EQ(global(2)->num, 0);
    EXPECT_EQ(e.getConsoleFlag(), 1);
    EXPECT_EQ(top(), global(2)) << "screen calls leave nothing behind";
    EXPECT_EQ(out.text, "");
}

TEST_F(StdfProgram, AlenOfOpenArrays) {
    ASSERT_EQ(run_with_globals({}, {{i_LD_NULLARRAY, 0, 0},
                                    {i_LD_ADDR_GLOBAL, 1, 0},
                                    {i_LD_NUM, 1, 0},
                                    {i_CALL_STDF, sf_ALEN, 0},
                                    {i_LD_NUM, 1, 0},
                                    {i_LD_NUM, 3, 0},
                                    {i_LD_NUM, 0, 0},
                                    {i_LD_NUM, 0, 0},
                                    {i_DIM, 0, 2},
                                    {i_LD_ADDR_GLOBAL, 3, 0},
                                    {i_LD_NUM, 2, 0},
                                    {i_CALL_STDF, sf_ALEN, 0},
                                    {i_HALT, 0, 0}}),
              1);
    EXPECT_EQ(top()->num, 3);
    EXPECT_EQ(top()[-2].num, 0);
}

TEST_F(StdfProgram, ImprimirFormats) {
    const uint16_t saved = fpu_get_cw();
    fpu_reset();
    consts({N(0.1L), S("hola"), B(true), N(1234567)});
    const int r = run_with_globals({}, {{i_LD_CONST, 0, 1},
                                        {i_CALL_STDF, sf_IMPRIMIR, 1},
                                        {i_LD_NUM, 1, 0},
                                        {i_LD_NUM, 3, 0},
                                        {i_DIV, 0, 0},
                                        {i_CALL_STDF, sf_IMPRIMIR, 1},
                                        {i_LD_CONST, 3, 1},
                                        {i_CALL_STDF, sf_IMPRIMIR, 1},
                                        {i_LD_NUM, 7, 0},
                                        {i_LD_CONST, 1, 1},
                                        {i_LD_CONST, 2, 1},
                                        {i_CALL_STDF, sf_IMPRIMIR, 3},
                                        {i_LD_NUM, 0, 0},
                                        {i_LD_NUM, 3, 0},
                                        {i_LD_NUM, 4, 0},
                                        {i_DIM, 0, 1},
                                        {i_CALL_STDF, sf_IMPRIMIR, 1},
                                        {i_LD_NULLARRAY, 0, 0},
                                        {i_CALL_STDF, sf_IMPRIMIR, 1},
                                        {i_HALT, 0, 0}});
    fpu_set_cw(saved);
    ASSERT_EQ(r, 1) << out.text;
    EXPECT_EQ(out.text, "0.10.3333331.23457e+067,hola,SI4,4,4<nodim>");
    EXPECT_EQ(top(), global(0)) << "imprimir releases its value";
}

TEST_F(StdfProgram, OutputSeparatorText) {
    consts({S(";"), S("")});
    ASSERT_EQ(run_with_globals({}, {{i_LD_CONST, 0, 1},
                                    {i_CALL_STDF, sf_SET_OFS, 0},
                                    {i_LD_NUM, 1, 0},
                                    {i_LD_NUM, 2, 0},
                                    {i_CALL_STDF, sf_IMPRIMIR, 2},
                                    {i_LD_NULLARRAY, 0, 0},
                                    {i_CALL_STDF, sf_IMPRIMIR, 1},
                                    {i_LD_CONST, 1, 1},
                                    {i_CALL_STDF, sf_SET_OFS, 0},
                                    {i_LD_NUM, 3, 0},
                                    {i_LD_NULLARRAY, 0, 0},
                                    {i_CALL_STDF, sf_IMPRIMIR, 2},
                                    {i_CALL_STDF, sf_GET_OFS, 0},
                                    {i_HALT, 0, 0}}),
              1);
    EXPECT_EQ(out.text, "1;23");
    EXPECT_STREQ(top()->str, "");
}

TEST_F(StdfProgram, TerminarEndsNormally) {
    consts({S("adios")});
    EXPECT_EQ(run_with_globals({}, {{i_LD_CONST, 0, 1},
                                    {i_CALL_STDF, sf_TERMINAR, 0},
                                    {i_LD_NUM, 1, 0},
                                    {i_LD_NUM, 0, 0},
                                    {i_DIV, 0, 0}}),
              1);
    EXPECT_EQ(out.text, "adios");
    EXPECT_EQ(e.getState(), st_STOPPED);
    EXPECT_EQ(e.getAbortReason(), ar_NONE);
}

TEST_F(StdfProgram, ImprimirUnknownCellAborts6) {
    EXPECT_EQ(run_with_globals({}, {{i_LD_ADDR_GLOBAL, 0, 0}, {i_CALL_STDF, sf_IMPRIMIR, 1}}), 0);
    EXPECT_EQ(e.getAbortReason(), ar_UNKNOWN_TYPE);
}

class StdfInput : public StdfProgram {
  protected:
    std::string path;
    void SetUp() override {
        StdfProgram::SetUp();
        char tmpl[] = "/tmp/zqe_in_XXXXXX";
        const int fd = mkstemp(tmpl);
        ASSERT_GE(fd, 0);
        ::close(fd);
        path = tmpl;
    }
    void TearDown() override { std::remove(path.c_str()); }
    void write(const char* text) {
        FILE* f = std::fopen(path.c_str(), "w");
        std::fputs(text, f);
        std::fclose(f);
    }
};

TEST_F(StdfInput, LeerFromRedirectedFile) {
    write("1,hola mundo,si\n2\n");
    consts({S(path.c_str())});
    ASSERT_EQ(
        run_with_globals({N(0), S(""), B(false), N(0), N(99)}, {{i_LD_CONST, 0, 1},
                                                                {i_CALL_STDF, sf_SET_STDIN, 0},
                                                                {i_POP, 0, 1},
                                                                {i_LD_ADDR_GLOBAL, 1, 0},
                                                                {i_CALL_STDF, sf_LEER, 1},
                                                                {i_LD_ADDR_GLOBAL, 2, 0},
                                                                {i_CALL_STDF, sf_LEER, 1},
                                                                {i_LD_ADDR_GLOBAL, 3, 0},
                                                                {i_CALL_STDF, sf_LEER, 1},
                                                                {i_LD_ADDR_GLOBAL, 4, 0},
                                                                {i_CALL_STDF, sf_LEER, 2},
                                                                {i_CALL_STDF, sf_EOF, 0},
                                                                {i_HALT, 0, 0}}),
        1)
        << out.text;
    EXPECT_EQ(global(1)->num, 1);
    EXPECT_STREQ(global(2)->str, "hola mundo");
    EXPECT_EQ(global(3)->b, 1);
    EXPECT_EQ(global(4)->num, 2);
    EXPECT_EQ(global(5)->num, 99) << "past the end the variable keeps its value";
    EXPECT_EQ(top()->b, 1);
    e.stop();
    EXPECT_NE(e.get_cur_stdin(), nullptr);
    EXPECT_EQ(e.get_cur_stdin(), e.get_def_stdin()) << "stop returns to the default channel";
}

TEST_F(StdfInput, LeerIntoArrayAndSeparator) {
    write("a;b;c\n");
    consts({S(path.c_str()), S(";")});
    ASSERT_EQ(run_with_globals({}, {{i_LD_CONST, 0, 1},
                                    {i_CALL_STDF, sf_SET_STDIN, 0},
                                    {i_POP, 0, 1},
                                    {i_LD_CONST, 1, 1},
                                    {i_CALL_STDF, sf_SET_IFS, 0},
                                    {i_LD_NUM, 0, 0},
                                    {i_LD_NUM, 3, 0},
                                    {i_LD_DEFVAL, 1, 0},
                                    {i_DIM, 0, 1},
                                    {i_LD_ADDR_GLOBAL, 1, 0},
                                    {i_CALL_STDF, sf_LEER, 1},
                                    {i_CALL_STDF, sf_GET_IFS, 0},
                                    {i_HALT, 0, 0}}),
              1)
        << out.text;
    ZQVal_Cluster* c = global(1)->cluster;
    ASSERT_NE(c, nullptr);
    EXPECT_STREQ(c->cells[0].str, "a");
    EXPECT_STREQ(c->cells[1].str, "b");
    EXPECT_STREQ(c->cells[2].str, "c");
    EXPECT_STREQ(top()->str, ";");
}

TEST_F(StdfInput, LeerErrors) {
    write("abc\n");
    consts({S(path.c_str())});
    EXPECT_EQ(run_with_globals({N(0)}, {{i_LD_CONST, 0, 1},
                                        {i_CALL_STDF, sf_SET_STDIN, 0},
                                        {i_POP, 0, 1},
                                        {i_LD_ADDR_GLOBAL, 1, 0},
                                        {i_CALL_STDF, sf_LEER, 1}}),
              0);
    EXPECT_EQ(e.getAbortReason(), ar_NOT_NUMERIC);
    EXPECT_EQ(out.text, "\n\nError de ejecucion: Dato leido no es numerico");
}

TEST_F(StdfInput, LeerUndimensionedAborts8) {
    EXPECT_EQ(
        run_with_globals(
            {}, {{i_LD_NULLARRAY, 0, 0}, {i_LD_ADDR_GLOBAL, 1, 0}, {i_CALL_STDF, sf_LEER, 1}}),
        0);
    EXPECT_EQ(e.getAbortReason(), ar_NOT_DIMENSIONED);
}

TEST_F(StdfInput, SetStdoutWritesTheFile) {
    consts({S(path.c_str()), S("w+t"), S("hola\n"), S("")});
    ASSERT_EQ(run_with_globals({}, {{i_LD_CONST, 0, 1},
                                    {i_LD_CONST, 1, 1},
                                    {i_CALL_STDF, sf_SET_STDOUT, 0},
                                    {i_LD_CONST, 2, 1},
                                    {i_CALL_STDF, sf_IMPRIMIR, 1},
                                    {i_LD_CONST, 3, 1},
                                    {i_LD_CONST, 1, 1},
                                    {i_CALL_STDF, sf_SET_STDOUT, 0},
                                    {i_HALT, 0, 0}}),
              1);
    EXPECT_EQ(out.text, "");
    FILE* f = std::fopen(path.c_str(), "r");
    char buf[16] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
    std::fclose(f);
    EXPECT_STREQ(buf, "hola\n");
}

}  // namespace
