#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "lang/zqexec.h"
#include "tests/core/cells.h"

// The top cell as text: "n:<number>", "b:<0|1>", "s:<text>", "a:<cells>", "r:<raw>".
inline std::string describe(const ZQVal* v) {
    switch (v->tipo) {
        case s_NUM:
            return std::string("n:") + num2str_def_format(v->num);
        case s_BOOL:
            return "b:" + std::to_string(static_cast<int>(v->b));
        case s_STR:
            return std::string("s:") + v->str;
        case s_CLUSTER:
            return "a:" + std::to_string(v->cluster ? v->cluster->count : 0);
        default:
            return "?";
    }
}

// An output channel that keeps what the program writes.
class CaptureOut : public ZQ_DefOutput_File {
  public:
    std::string text;
    CaptureOut() { file = nullptr; }
    int imprimir_str(const char* s) override {
        text += s;
        return 1;
    }
};

// A machine with a 500-cell stack, the capture channel as its output, and helpers to load a
// hand-built code segment and constant pool.
class VMTest : public ::testing::Test {
  protected:
    CaptureOut out;  // outlives the machine, which flushes it when it stops
    ZQExec e{1000};

    void SetUp() override {
        ASSERT_TRUE(e.createStack(500));
        e.set_def_stdout(&out);
    }

    void consts(std::initializer_list<ZQVal> cells) {
        for (ZQVal c : cells) e.addConst(&c);
    }

    void code(std::initializer_list<INST> insts) {
        for (const INST& i : insts) e.emit(i.opcode, i.op1, i.op2);
    }

    // Loads the code and runs it; the result of exec.
    int run(std::initializer_list<INST> insts) {
        code(insts);
        if (!e.initExec(nullptr, 0)) return 0;
        return e.exec(0, 0);
    }

    ZQVal* top() { return e.getTopPtr(); }
};
