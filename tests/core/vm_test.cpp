#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "lang/fpu.h"
#include "tests/core/vm_fixture.h"

namespace {

struct OpCase {
    const char* name;
    std::vector<INST> code;  // i_HALT is appended
    const char* top;
};

// Constants of every case: 0:"ab" 1:"cd" 2:7.9 3:2.5 4:true 5:false 6:-7 7:3
void add_case_consts(ZQExec& e) {
    ZQVal cells[] = {str_cell("ab"),  str_cell("cd"),   num_cell(7.9L), num_cell(2.5L),
                     bool_cell(true), bool_cell(false), num_cell(-7),   num_cell(3)};
    for (ZQVal& c : cells) e.addConst(&c);
}

TEST(VMOpcodes, EffectTable) {
    const OpCase cases[] = {
        {"add", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 3, 0}, {i_ADD, 0, 0}}, "n:5"},
        {"sub", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 3, 0}, {i_SUB, 0, 0}}, "n:-1"},
        {"mul", {{i_LD_NUM, -2, 0}, {i_LD_NUM, 3, 0}, {i_MUL, 0, 0}}, "n:-6"},
        {"div", {{i_LD_NUM, 7, 0}, {i_LD_NUM, 2, 0}, {i_DIV, 0, 0}}, "n:3.5"},
        {"mod negative", {{i_LD_CONST, 6, 1}, {i_LD_CONST, 7, 1}, {i_MOD, 0, 0}}, "n:-1"},
        {"mod truncates", {{i_LD_CONST, 2, 1}, {i_LD_CONST, 3, 1}, {i_MOD, 0, 0}}, "n:1"},
        {"mod beyond 32 bits",
         {{i_LD_NUM, 1 << 20, 0},
          {i_LD_NUM, 1 << 20, 0},
          {i_MUL, 0, 0},
          {i_LD_NUM, 4, 0},
          {i_ADD, 0, 0},
          {i_LD_NUM, 3, 0},
          {i_MOD, 0, 0}},
         "n:2"},
        {"mod negative beyond 32 bits",
         {{i_LD_NUM, -(1 << 20), 0},
          {i_LD_NUM, 1 << 20, 0},
          {i_MUL, 0, 0},
          {i_LD_NUM, 7, 0},
          {i_MOD, 0, 0}},
         "n:-2"},
        {"mod by a divisor beyond 32 bits",
         {{i_LD_NUM, 7, 0},
          {i_LD_NUM, 1 << 20, 0},
          {i_LD_NUM, 1 << 20, 0},
          {i_MUL, 0, 0},
          {i_MOD, 0, 0}},
         "n:7"},
        {"mod of 2^31",
         {{i_LD_NUM, 65536, 0},
          {i_LD_NUM, 32768, 0},
          {i_MUL, 0, 0},
          {i_LD_NUM, 10, 0},
          {i_MOD, 0, 0}},
         "n:8"},
        {"mod of the most negative 32-bit integer",
         {{i_LD_NUM, INT32_MIN, 0}, {i_LD_NUM, 3, 0}, {i_MOD, 0, 0}},
         "n:-2"},
        {"mod by -1", {{i_LD_NUM, INT32_MIN, 0}, {i_LD_NUM, -1, 0}, {i_MOD, 0, 0}}, "n:0"},
        {"pow", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 10, 0}, {i_POW, 0, 0}}, "n:1024"},
        {"neg zero", {{i_LD_NUM, 0, 0}, {i_NEG, 0, 0}}, "n:-0"},
        {"concat", {{i_LD_CONST, 0, 1}, {i_LD_CONST, 1, 1}, {i_CONCAT, 0, 0}}, "s:abcd"},
        {"eq num", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 2, 0}, {i_EQ, 0, 0}}, "b:1"},
        {"ne num", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 2, 0}, {i_NE, 0, 0}}, "b:0"},
        {"gt num", {{i_LD_NUM, 3, 0}, {i_LD_NUM, 2, 0}, {i_GT, 0, 0}}, "b:1"},
        {"ge num", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 2, 0}, {i_GE, 0, 0}}, "b:1"},
        {"lt num", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 2, 0}, {i_LT, 0, 0}}, "b:0"},
        {"le num", {{i_LD_NUM, 2, 0}, {i_LD_NUM, 2, 0}, {i_LE, 0, 0}}, "b:1"},
        {"lt str", {{i_LD_CONST, 0, 1}, {i_LD_CONST, 1, 1}, {i_LT, 0, 0}}, "b:1"},
        {"eq str", {{i_LD_CONST, 0, 1}, {i_LD_CONST, 0, 1}, {i_EQ, 0, 0}}, "b:1"},
        {"gt bool", {{i_LD_CONST, 4, 1}, {i_LD_CONST, 5, 1}, {i_GT, 0, 0}}, "b:1"},
        {"and", {{i_LD_CONST, 4, 1}, {i_LD_CONST, 5, 1}, {i_AND, 0, 0}}, "b:0"},
        {"or", {{i_LD_CONST, 4, 1}, {i_LD_CONST, 5, 1}, {i_OR, 0, 0}}, "b:1"},
        {"not", {{i_LD_CONST, 5, 1}, {i_NOT, 0, 0}}, "b:1"},
        {"defval", {{i_LD_DEFVAL, 1, 0}}, "s:cd"},
        {"dup", {{i_LD_NUM, 4, 0}, {i_LD_NUM, 5, 0}, {i_DUP, -1, 0}}, "n:4"},
        {"pop", {{i_LD_NUM, 4, 0}, {i_LD_CONST, 0, 1}, {i_POP, 0, 1}}, "n:4"},
        {"jmp skips", {{i_LD_NUM, 1, 0}, {i_JMP, 2, 0}, {i_LD_NUM, 2, 0}}, "n:1"},
        {"jmpf taken",
         {{i_LD_NUM, 1, 0}, {i_LD_CONST, 5, 1}, {i_JMPF, 2, 0}, {i_LD_NUM, 2, 0}},
         "n:1"},
        {"jmpf not taken",
         {{i_LD_NUM, 1, 0}, {i_LD_CONST, 4, 1}, {i_JMPF, 2, 0}, {i_LD_NUM, 2, 0}},
         "n:2"},
        {"jmpt taken",
         {{i_LD_NUM, 1, 0}, {i_LD_CONST, 4, 1}, {i_JMPT, 2, 0}, {i_LD_NUM, 2, 0}},
         "n:1"},
        {"null array", {{i_LD_NULLARRAY, 0, 0}}, "a:0"},
        {"dim static",
         {{i_LD_NUM, 0, 0}, {i_LD_CONST, 3, 1}, {i_LD_NUM, 0, 0}, {i_DIM, 0, 1}},
         "a:2"},
        {"dim dynamic",
         {{i_LD_NUM, 1, 0}, {i_LD_NUM, 3, 0}, {i_LD_NUM, 0, 0}, {i_LD_NUM, 0, 0}, {i_DIM, 0, 2}},
         "a:-6"},
        {"replicate",
         {{i_LD_NUM, 7, 0}, {i_LD_NUM, 8, 0}, {i_REPLICATE, 2, 2}, {i_POP, 0, 2}, {i_POP, 0, 1}},
         "n:7"},
        {"chkstk passes", {{i_CHKSTK, 0, 10}, {i_LD_NUM, 9, 0}}, "n:9"},
    };
    for (const OpCase& c : cases) {
        CaptureOut out;
        ZQExec e(100);
        ASSERT_TRUE(e.createStack(500));
        e.set_def_stdout(&out);
        add_case_consts(e);
        for (const INST& i : c.code) e.emit(i.opcode, i.op1, i.op2);
        e.emit(i_HALT);
        ASSERT_EQ(e.initExec(nullptr, 0), 1) << c.name;
        EXPECT_EQ(e.exec(0, 0), 1) << c.name << ": " << out.text;
        EXPECT_EQ(describe(e.getTopPtr()), c.top) << c.name;
    }
}

// Main program: ENTER, global slot 0, one global x; x := 5; x := x * 2; halt.
TEST_F(VMTest, GlobalsLoadAndStore) {
    ASSERT_EQ(run({{i_ENTER, 0, 1},
                   {i_LD_INT, 0, 0},
                   {i_LD_NUM, 0, 0},
                   {i_LD_ADDR_GLOBAL, 1, 0},
                   {i_LD_NUM, 5, 0},
                   {i_STORE, 0, 1},
                   {i_LD_ADDR_GLOBAL, 1, 0},
                   {i_LD_GLOBAL, 1, 1},
                   {i_LD_NUM, 2, 0},
                   {i_MUL, 0, 0},
                   {i_STORE, 0, 1},
                   {i_LD_GLOBAL, 1, 1},
                   {i_HALT, 0, 0}}),
              1);
    EXPECT_EQ(top()->num, 10);
    EXPECT_EQ(e.getState(), st_STOPPED);
    EXPECT_EQ(top() - e.getInternalStackPtr(), 3) << "halt leaves the stack until stop";
    e.stop();
    EXPECT_EQ(top(), nullptr);
}

// A record of two fields (2 cells) stored and loaded as one value, and one field selected
// through i_ADDR_ADD and read with i_LD_INDIRECT.
TEST_F(VMTest, MultiCellValues) {
    consts({str_cell("campo")});
    ASSERT_EQ(run({{i_ENTER, 0, 2},
                   {i_LD_INT, 0, 0},
                   {i_LD_NUM, 0, 0},
                   {i_LD_NUM, 0, 0},
                   {i_LD_ADDR_GLOBAL, 1, 0},
                   {i_LD_NUM, 4, 0},
                   {i_LD_CONST, 0, 1},
                   {i_STORE, 0, 2},
                   {i_LD_GLOBAL, 1, 2},
                   {i_LD_ADDR_GLOBAL, 1, 0},
                   {i_LD_INT, 1, 0},
                   {i_ADDR_ADD, 0, 0},
                   {i_LD_INDIRECT, 0, 1},
                   {i_HALT, 0, 0}}),
              1);
    EXPECT_STREQ(top()->str, "campo");
    EXPECT_STREQ(top()[-1].str, "campo");
    EXPECT_NE(top()[-1].str, top()->str) << "loads are deep copies";
    EXPECT_EQ(top()[-2].num, 4);
}

// f(a) = a + 1 called with 41: result slot, argument, call, line marker after the call.
TEST_F(VMTest, CallAndReturn) {
    consts({num_cell(0)});
    ASSERT_EQ(run({{i_ENTER, 0, 0},           // 0
                   {i_LD_INT, 0, 0},          // 1
                   {i_CHKSTK, 0, 2},          // 2
                   {i_LD_DEFVAL, 0, 0},       // 3 result slot
                   {i_LD_NUM, 41, 0},         // 4 argument
                   {i_CALL, 8, 0},            // 5
                   {i_LINE_RET, 0, 3},        // 6
                   {i_HALT, 0, 0},            // 7
                   {i_ENTER, 0, 0},           // 8 f
                   {i_LINE, 8, 20},           // 9
                   {i_LD_ADDR_LOCAL, -3, 0},  // 10 result slot
                   {i_LD_LOCAL, -2, 1},       // 11 a
                   {i_LD_NUM, 1, 0},          // 12
                   {i_ADD, 0, 0},             // 13
                   {i_STORE, 0, 1},           // 14
                   {i_RET, 0, 1}}),           // 15
              1);
    EXPECT_EQ(top()->num, 42);
    EXPECT_EQ(top() - e.getInternalStackPtr(), 3) << "arguments are removed by the return";
    EXPECT_EQ(e.getLine(), 3);
    EXPECT_EQ(e.getRoutine(), 0);
    EXPECT_EQ(e.getFP(), 1);
}

TEST_F(VMTest, IndexSelectsElements) {
    // a: array of 3 elements of 2 cells; a[3] second cell := 9, then read back.
    ASSERT_EQ(run({{i_ENTER, 0, 1},
                   {i_LD_INT, 0, 0},
                   {i_LD_NUM, 0, 0},
                   {i_LD_NUM, 3, 0},
                   {i_LD_NUM, 0, 0},
                   {i_LD_NUM, 0, 0},
                   {i_DIM, 0, 2},
                   {i_LD_ADDR_GLOBAL, 1, 0},
                   {i_LD_NUM, 3, 0},
                   {i_INDEX, 0, 2},
                   {i_LD_INT, 1, 0},
                   {i_ADDR_ADD, 0, 0},
                   {i_LD_NUM, 9, 0},
                   {i_STORE, 0, 1},
                   {i_LD_GLOBAL, 1, 1},
                   {i_HALT, 0, 0}}),
              1);
    ASSERT_EQ(top()->tipo, s_CLUSTER);
    EXPECT_EQ(top()->cluster->cells[5].num, 9);
    EXPECT_EQ(top()->cluster->cells[4].num, 0);
}

struct AbortCase {
    const char* name;
    std::vector<INST> code;
    abort_reason code_expected;
    const char* message;
};

TEST(VMAborts, Table) {
    // Constants: 0: dynamic-array template count, 1: 0.5, 2: "x"
    const AbortCase cases[] = {
        {"index zero",
         {{i_LD_NUM, 0, 0},
          {i_LD_NUM, 2, 0},
          {i_LD_NUM, 0, 0},
          {i_DIM, 0, 1},
          {i_LD_ADDR_LOCAL, 1, 0},
          {i_LD_NUM, 0, 0},
          {i_INDEX, 0, 1}},
         ar_INDEX,
         "Indice fuera de rango"},
        {"index past end",
         {{i_LD_NUM, 0, 0},
          {i_LD_NUM, 2, 0},
          {i_LD_NUM, 0, 0},
          {i_DIM, 0, 1},
          {i_LD_ADDR_LOCAL, 1, 0},
          {i_LD_NUM, 3, 0},
          {i_INDEX, 0, 1}},
         ar_INDEX,
         "Indice fuera de rango"},
        {"index negative",
         {{i_LD_NUM, 0, 0},
          {i_LD_NUM, 2, 0},
          {i_LD_NUM, 0, 0},
          {i_DIM, 0, 1},
          {i_LD_ADDR_LOCAL, 1, 0},
          {i_LD_NUM, -1, 0},
          {i_INDEX, 0, 1}},
         ar_INDEX,
         "Indice fuera de rango"},
        {"div zero",
         {{i_LD_NUM, 1, 0}, {i_LD_NUM, 0, 0}, {i_DIV, 0, 0}},
         ar_DIV_ZERO,
         "Divisor es 0"},
        {"mod zero",
         {{i_LD_NUM, 1, 0}, {i_LD_NUM, 0, 0}, {i_MOD, 0, 0}},
         ar_DIV_ZERO,
         "Divisor es 0"},
        {"mod by a fraction",
         {{i_LD_NUM, 1, 0}, {i_LD_CONST, 1, 1}, {i_MOD, 0, 0}},
         ar_DIV_ZERO,
         "Divisor es 0"},
        {"mod by a loaded zero",
         {{i_LD_NUM, 1, 0}, {i_LD_CONST, 3, 1}, {i_MOD, 0, 0}},
         ar_DIV_ZERO,
         "Divisor es 0"},
        {"stack overflow",
         {{i_LD_NUM, 1, 0}, {i_JMP, -1, 0}},
         ar_STACK_OVERFLOW,
         "Desbordamiento de pila"},
        {"undefined stdf", {{i_CALL_STDF, 110, 0}}, ar_UNDEF_FUNC, "Funcion no definida"},
        {"bad opcode", {{static_cast<i_set>(17), 0, 0}}, ar_BAD_INST, "Instruccion no valida"},
        {"push nothing", {{i_LD_LOCAL, 1, 1}}, ar_UNKNOWN_TYPE, "Se desconoce tipo de variable"},
        {"index non-array",
         {{i_LD_NUM, 1, 0}, {i_LD_ADDR_LOCAL, 1, 0}, {i_LD_NUM, 1, 0}, {i_INDEX, 0, 1}},
         ar_TYPE_EXPECTED,
         "Se esperaba otro tipo de variable (error interno)"},
        {"index undimensioned",
         {{i_LD_NULLARRAY, 0, 0}, {i_LD_ADDR_LOCAL, 1, 0}, {i_LD_NUM, 1, 0}, {i_INDEX, 0, 1}},
         ar_NOT_DIMENSIONED,
         "Arreglo no fue dimensionado"},
        {"dim zero",
         {{i_LD_NUM, 0, 0}, {i_LD_NUM, 0, 0}, {i_LD_NUM, 0, 0}, {i_DIM, 0, 1}},
         ar_BAD_DIM,
         "Dimension debe ser mayor a 0"},
        {"dynamic into static",
         {{i_LD_NUM, 0, 0},
          {i_LD_NUM, 2, 0},
          {i_LD_NUM, 0, 0},
          {i_DIM, 0, 1},
          {i_LD_ADDR_LOCAL, 1, 0},
          {i_LD_NUM, 1, 0},
          {i_LD_NUM, 2, 0},
          {i_LD_NUM, 0, 0},
          {i_DIM, 0, 1},
          {i_STORE, 0, 1}},
         ar_DYN_TO_STATIC,
         "Arreglo dinamico no puede ser asignado a uno estatico"},
        {"chkstk", {{i_CHKSTK, 0, 450}}, ar_NO_MEMORY, "No hay suficiente memoria"},
        {"huge dim",
         {{i_LD_NUM, 0, 0}, {i_LD_NUM, 1 << 30, 0}, {i_LD_NUM, 0, 0}, {i_DIM, 0, 1}},
         ar_NO_MEMORY,
         "No hay suficiente memoria"},
        {"pow invalid",
         {{i_LD_NUM, -8, 0}, {i_LD_CONST, 1, 1}, {i_POW, 0, 0}},
         ar_MATH,
         "Durante calculo matematico"},
        {"lib load", {{i_LIB_LOAD, 2, 0}}, ar_LIB_LOAD, "No se pudo enlazar libreria externa"},
        {"lib sym",
         {{i_LD_NUM, 0, 0}, {i_LD_CONST, 3, 1}, {i_LIB_SYM, 2, 1}},
         ar_LIB_SYM,
         "Subrutina externa no existe"},
    };
    for (const AbortCase& c : cases) {
        CaptureOut out;
        ZQExec e(100);
        ASSERT_TRUE(e.createStack(500));
        e.set_def_stdout(&out);
        ZQVal k[] = {num_cell(2), num_cell(0.5L), str_cell("/no/such/libzq.so"), num_cell(0)};
        for (ZQVal& v : k) e.addConst(&v);
        e.emit(i_ENTER, 0, 0);
        e.emit(i_LINE, 0, 12);
        for (const INST& i : c.code) e.emit(i.opcode, i.op1, i.op2);
        e.emit(i_HALT);
        ASSERT_EQ(e.initExec(nullptr, 0), 1) << c.name;
        EXPECT_EQ(e.exec(0, 0), 0) << c.name;
        EXPECT_EQ(e.getAbortReason(), c.code_expected) << c.name;
        EXPECT_EQ(out.text, std::string("\n\nError de ejecucion (linea=12): ") + c.message)
            << c.name;
        EXPECT_EQ(e.getTopPtr(), nullptr) << c.name << ": the run's cells are released";
        EXPECT_EQ(e.getState(), st_STOPPED) << c.name;
    }
}

// A routine outside the machine records a failure without touching the run state.
void record_cancel(ZQExec* e) {
    e->setAbortReason(ar_USER_CANCEL);
}

// The routine, then the instruction under test, after a line marker; the constant 0 is the
// routine's entry point.
void emit_after_cancel(ZQExec& e, const std::vector<INST>& code) {
    ZQVal entry{};
    entry.tipo = s_ADDR;
    entry.ptr = reinterpret_cast<void*>(&record_cancel);
    e.addConst(&entry);
    e.emit(i_ENTER, 0, 0);
    e.emit(i_LD_INT, 0, 0);
    e.emit(i_LD_CONST, 0, 1);
    e.emit(i_LINE, 0, 12);
    e.emit(i_LD_ADDR_GLOBAL, 0, 0);
    e.emit(i_CALL_EXT, 1, 0);
    for (const INST& i : code) e.emit(i.opcode, i.op1, i.op2);
    e.emit(i_HALT);
}

// Every space check after such a routine ends the run with the recorded failure, in the
// plain loop and in a stepping loop, instead of retrying its instruction or running on.
TEST(VMAbort, SpaceCheckAfterAnExternalFailureEndsTheRun) {
    const struct {
        const char* name;
        std::vector<INST> code;  // runs after the routine, with an address on top
    } cases[] = {
        {"enter", {{i_ENTER, 0, 1}}},         {"indirect load", {{i_LD_INDIRECT, 0, 1}}},
        {"chkstk", {{i_CHKSTK, 0, 1}}},       {"load of two cells", {{i_LD_GLOBAL, 0, 2}}},
        {"replicate", {{i_REPLICATE, 2, 1}}},
    };
    for (const auto& c : cases) {
        CaptureOut out;
        ZQExec e(100);
        ASSERT_TRUE(e.createStack(500));
        e.set_def_stdout(&out);
        emit_after_cancel(e, c.code);
        ASSERT_EQ(e.initExec(nullptr, 0), 1) << c.name;
        EXPECT_EQ(e.exec(0, 0), 0) << c.name;
        EXPECT_EQ(e.getAbortReason(), ar_USER_CANCEL) << c.name;
        EXPECT_EQ(out.text, "\n\nError de ejecucion (linea=12): Programa cancelado por el usuario")
            << c.name;
        EXPECT_EQ(e.getState(), st_STOPPED) << c.name;

        ZQExec stepped(100);
        ASSERT_TRUE(stepped.createStack(500));
        stepped.set_def_stdout(&out);
        emit_after_cancel(stepped, c.code);
        ASSERT_EQ(stepped.initExec(nullptr, 0), 1) << c.name;
        stepped.setState(st_RUNNING);
        for (int n = 0; n < 100 && stepped.getState() == st_RUNNING; ++n) stepped.execOneInst();
        EXPECT_EQ(stepped.getState(), st_ABORTED) << c.name;
        EXPECT_EQ(stepped.getAbortReason(), ar_USER_CANCEL) << c.name;
        stepped.stop();
    }
}

// Integer operands take a path of their own; every result keeps the bits the x87 gives
// under the program's rounding, signed zeros, fractions and magnitudes past 2^62 included.
TEST(VMOpcodes, ArithmeticKeepsTheX87Bits) {
    const long double big = std::ldexp(1.0L, 61) + 1, bigger = std::ldexp(1.0L, 62);
    const long double values[] = {0.0L, -0.0L, 1, -1, 3, -7, 2.5L, 1e-3L, big, -big, bigger, 3e9L};
    const struct {
        i_set op;
        long double (*x87)(long double, long double);
    } ops[] = {
        {i_ADD, [](long double a, long double b) { return a + b; }},
        {i_SUB, [](long double a, long double b) { return a - b; }},
        {i_MUL, [](long double a, long double b) { return a * b; }},
    };
    FpuRounding up(FPU_RC_UP);
    for (const auto& o : ops) {
        for (const long double a : values) {
            for (const long double b : values) {
                ZQExec e(10);
                ASSERT_TRUE(e.createStack(500));
                ZQVal ka = num_cell(a), kb = num_cell(b);
                e.addConst(&ka);
                e.addConst(&kb);
                e.emit(i_LD_CONST, 0, 1);
                e.emit(i_LD_CONST, 1, 1);
                e.emit(o.op);
                e.emit(i_HALT);
                ASSERT_EQ(e.initExec(nullptr, 0), 1);
                ASSERT_EQ(e.exec(0, 0), 1);
                const long double expected = o.x87(a, b);
                const long double got = e.getTopPtr()->num;
                EXPECT_EQ(std::memcmp(&got, &expected, 10), 0)
                    << i_set_name(o.op) << " " << static_cast<double>(a) << " "
                    << static_cast<double>(b);
                e.stop();
            }
        }
    }
}

TEST_F(VMTest, NanResultAborts13) {
    consts({num_cell(INFINITY)});
    EXPECT_EQ(run({{i_LD_CONST, 0, 1}, {i_LD_CONST, 0, 1}, {i_SUB, 0, 0}, {i_HALT, 0, 0}}), 0);
    EXPECT_EQ(e.getAbortReason(), ar_MATH);
    EXPECT_EQ(out.text, "\n\nError de ejecucion: Durante calculo matematico");
}

TEST_F(VMTest, NoCodeAborts12) {
    EXPECT_EQ(e.initExec(nullptr, 0), 0);
    EXPECT_EQ(e.getAbortReason(), ar_NO_CODE);
    EXPECT_STREQ(get_abort_descrip(ar_NO_CODE), "No hay codigo a ejecutar");
}

TEST_F(VMTest, InitExecWhilePausedDoesNothing) {
    code({{i_LD_NUM, 1, 0}, {i_LD_NUM, 2, 0}, {i_HALT, 0, 0}});
    ASSERT_EQ(e.initExec(nullptr, 0), 1);
    e.setState(st_RUNNING);
    e.execOneInst();
    e.setState(st_PAUSED);
    INST* pc = e.getPC();
    EXPECT_EQ(e.initExec(nullptr, 0), 1);
    EXPECT_EQ(e.getPC(), pc);
    EXPECT_EQ(e.exec(0, 0), 1) << "exec continues a paused run";
    EXPECT_EQ(top()->num, 2);
    EXPECT_EQ(top()[-1].num, 1);
}

TEST_F(VMTest, RunsAgainAfterAnAbort) {
    consts({str_cell("k")});
    code({{i_LD_CONST, 0, 1}, {i_LD_NUM, 1, 0}, {i_LD_NUM, 0, 0}, {i_DIV, 0, 0}});
    ASSERT_EQ(e.initExec(nullptr, 0), 1);
    EXPECT_EQ(e.exec(0, 0), 0);
    EXPECT_STREQ(e.getConstPtr(0)->str, "k") << "constants survive the abort";
    ASSERT_EQ(e.initExec(nullptr, 0), 1);
    EXPECT_EQ(e.getAbortReason(), ar_NONE);
    EXPECT_EQ(e.exec(0, 0), 0);
    EXPECT_EQ(e.getAbortReason(), ar_DIV_ZERO);
}

TEST(AbortDescrip, OutsideTheTableIsNull) {
    EXPECT_EQ(get_abort_descrip(ar_NONE), nullptr);
    EXPECT_EQ(get_abort_descrip(static_cast<abort_reason>(28)), nullptr);
    EXPECT_STREQ(get_abort_descrip(ar_READ_BUFFER), "Buffer de lectura es muy peque\xA4o");
    EXPECT_STREQ(get_abort_descrip(ar_USER_CANCEL), "Programa cancelado por el usuario");
}

}  // namespace

namespace {

TEST_F(VMTest, FloatingPointHandlerAbortsTheCurrentRun) {
    code({{i_HALT, 0, 0}});
    ASSERT_EQ(e.initExec(nullptr, 0), 1);
    EXPECT_EQ(get_current_zqexec(), &e);
    FPE_handler(0, 0);
    EXPECT_EQ(e.getAbortReason(), ar_MATH);
    EXPECT_EQ(e.getState(), st_ABORTED);
}

// The debugger's companion machine runs single instructions over a paused program's stack.
TEST_F(VMTest, ShallowCopyWorksOnTheSameCells) {
    ASSERT_EQ(run({{i_ENTER, 0, 1}, {i_LD_INT, 0, 0}, {i_LD_NUM, 21, 0}, {i_HALT, 0, 0}}), 1);
    ZQExec view(0);
    view.shallowCopy(&e);
    EXPECT_EQ(view.getInternalStackPtr(), e.getInternalStackPtr());
    EXPECT_EQ(view.getGB(), e.getGB());
    INST probe{i_LD_GLOBAL, 1, 1};
    view.setPC(&probe);
    view.execOneInst();
    EXPECT_EQ(view.getTopPtr()->num, 21);
    EXPECT_EQ(view.getTopPtr(), e.getTopPtr() + 1) << "pushes land above the program's top";
    view.pop();
    const ZQExec empty(0);
    view.shallowCopy(&empty);  // detach, so the view's end leaves the program alone
    EXPECT_EQ(e.getTopPtr()->num, 21);
}

}  // namespace

namespace {

TEST(ISetName, KnownAndUnknownOpcodes) {
    EXPECT_STREQ(i_set_name(i_ADD), "i_ADD");
    EXPECT_STREQ(i_set_name(i_INDEX), "i_INDEX");
    EXPECT_STREQ(i_set_name(i_LINE_RET), "i_LINE_RET");
    for (int op : {0, 9, 17, 51, 102, 123, 203, -1}) EXPECT_EQ(i_set_name(op), nullptr) << op;
}

// A desde loop as the compiler shapes it, with s := s * 10 + i as its body. The plain loop
// runs the test and the step in one dispatch each; stepping runs every instruction, and both
// must leave the same variable and sum.
TEST(DesdeLoop, PlainLoopAndSteppingAgree) {
    struct Case {
        int32_t start, end, step;
        const char *i, *s;
    } const cases[] = {
        {1, 9, 2, "n:11", "n:13579"}, {10, 1, -3, "n:-2", "n:10741"}, {1, 0, 1, "n:1", "n:0"},
        {3, 3, 1, "n:4", "n:3"},      {3, 4, -1, "n:3", "n:0"},       {-2, -1, 1, "n:0", "n:-21"},
    };
    for (const Case& c : cases) {
        for (const bool stepping : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.start << ".." << c.end << " by " << c.step
                                            << (stepping ? ", stepping" : ""));
            CaptureOut out;
            ZQExec e(100);
            ASSERT_TRUE(e.createStack(500));
            e.set_def_stdout(&out);
            const INST code[] = {
                {i_ENTER, 0, 2},
                {i_LD_INT, 0, 0},
                {i_LD_NUM, 0, 0},
                {i_LD_NUM, 0, 0},
                {i_LD_ADDR_GLOBAL, 1, 0},
                {i_LD_NUM, c.start, 0},
                {i_LD_NUM, c.end, 0},
                {i_LD_NUM, c.step, 0},
                {i_DUP, -3, 0},
                {i_DUP, -3, 0},
                {i_STORE, 0, 1},
                {i_DUP, 0, 0},
                {i_LD_NUM, 1, 0},
                {i_GE, 0, 0},
                {i_DUP, -4, 0},  // 14: test
                {i_LD_INDIRECT, 0, 1},
                {i_DUP, -3, 0},
                {i_DUP, -2, 0},
                {i_JMPT, 3, 0},
                {i_LT, 0, 0},
                {i_JMP, 2, 0},
                {i_GT, 0, 0},
                {i_JMPT, 13, 0},
                {i_LD_ADDR_GLOBAL, 2, 0},
                {i_LD_GLOBAL, 2, 1},
                {i_LD_NUM, 10, 0},
                {i_MUL, 0, 0},
                {i_LD_GLOBAL, 1, 1},
                {i_ADD, 0, 0},
                {i_STORE, 0, 1},
                {i_DUP, -4, 0},
                {i_DUP, -2, 0},
                {i_CALL_STDF, sf_INC, 0},
                {i_POP, 0, 1},
                {i_JMP, -20, 0},
                {i_POP, 0, 5},  // 35: exit
                {i_HALT, 0, 0},
            };
            for (const INST& i : code) e.emit(i.opcode, i.op1, i.op2);
            ASSERT_EQ(e.initExec(nullptr, 0), 1);
            if (stepping) {
                e.setState(st_RUNNING);
                while (e.getState() == st_RUNNING) e.execOneInst();
            } else {
                ASSERT_EQ(e.exec(0, 0), 1);
            }
            const ZQVal* globals = e.getInternalStackPtr() + e.getGB();
            EXPECT_EQ(describe(globals + 1), c.i);
            EXPECT_EQ(describe(globals + 2), c.s);
            EXPECT_EQ(e.getTopPtr(), globals + 2);
            e.stop();
        }
    }
}

}  // namespace
