// Fields of the window input channel, read from scripted lines instead of the input box.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>

#include "console/definput_wx.h"
#include "lang/fpu.h"
#include "lang/zqexec.h"

namespace {

class ScriptedInput : public ZQ_DefInput_WX {
  public:
    explicit ScriptedInput(ZQExec* e) : ZQ_DefInput_WX(e, nullptr) {}
    std::deque<std::string> lines;
    int asked = 0;
    bool stopped = false;

    int read_one_line() override {
        ++asked;
        pos = 0;
        buffer[0] = '\0';
        if (stopped || lines.empty()) return 0;
        std::strncpy(buffer.data(), lines.front().c_str(), buffer.size() - 1);
        lines.pop_front();
        return 1;
    }
};

struct Cell {
    ZQVal v{};
    explicit Cell(TipoSimple t) {
        v.tipo = t;
        v.str = nullptr;
    }
    ~Cell() { rm_val(&v); }
};

class InputFields : public ::testing::Test {
  protected:
    ZQExec exec;
    ScriptedInput in{&exec};
};

TEST_F(InputFields, NumberThenTextOfTheSameLineWithoutAskingAgain) {
    in.lines = {"12,abc"};
    Cell n(s_NUM), s(s_STR);
    ASSERT_EQ(in.leer(&n.v), 1);
    ASSERT_EQ(in.leer(&s.v), 1);
    EXPECT_EQ(n.v.num, 12);
    EXPECT_STREQ(s.v.str, "abc");
    EXPECT_EQ(in.asked, 1);
}

TEST_F(InputFields, UsedUpLineAsksForTheNextOne) {
    in.lines = {"1", "hola mundo,x"};
    Cell n(s_NUM), s(s_STR);
    ASSERT_EQ(in.leer(&n.v), 1);
    ASSERT_EQ(in.leer(&s.v), 1);
    EXPECT_STREQ(s.v.str, "hola mundo");
    EXPECT_EQ(in.asked, 2);
}

TEST_F(InputFields, Latin1BytesReachTheProgramUnchanged) {
    in.lines = {"ni\xf1o \xe1rbol"};
    Cell s(s_STR);
    ASSERT_EQ(in.leer(&s.v), 1);
    EXPECT_STREQ(s.v.str, "ni\xf1o \xe1rbol");
}

struct FailCase {
    const char* line;
    TipoSimple tipo;
    bool no_separator;
    int code;
};

TEST_F(InputFields, ConversionFailuresAbortWithTheirCodes) {
    const FailCase cases[] = {
        {"abc", s_NUM, false, ar_NOT_NUMERIC},    {"1;2", s_NUM, false, ar_NEED_FS},
        {"quiza", s_BOOL, false, ar_NOT_BOOLEAN}, {"si", s_BOOL, true, ar_BOOL_NEEDS_IFS},
        {"x", s_NADA, false, ar_UNKNOWN_TYPE},
    };
    for (const FailCase& c : cases) {
        ZQExec e;
        ScriptedInput input(&e);
        if (c.no_separator) input.set_ifs(nullptr);
        input.lines = {c.line};
        Cell v(c.tipo);
        EXPECT_EQ(input.leer(&v.v), 0) << c.line;
        EXPECT_EQ(e.getAbortReason(), c.code) << c.line;
    }
}

TEST_F(InputFields, BooleansAndSingleCharactersWithoutSeparator) {
    in.lines = {"si,FALSE"};
    Cell a(s_BOOL), b(s_BOOL);
    ASSERT_EQ(in.leer(&a.v), 1);
    ASSERT_EQ(in.leer(&b.v), 1);
    EXPECT_EQ(a.v.b, 1);
    EXPECT_EQ(b.v.b, 0);
    in.set_ifs(nullptr);
    in.lines = {"ab"};
    Cell c(s_STR);
    ASSERT_EQ(in.leer(&c.v), 1);
    EXPECT_STREQ(c.v.str, "a");
}

TEST_F(InputFields, TypedNumbersIgnoreTheProgramsUpwardRounding) {
    const FpuRounding saved(FPU_RC_NEAREST);
    fpu_reset();
    in.lines = {"0.3,0.1"};
    Cell a(s_NUM), b(s_NUM);
    ASSERT_EQ(in.leer(&a.v), 1);
    ASSERT_EQ(in.leer(&b.v), 1);
    // The same numbers as the literals 0.3 and 0.1 of a program, so comparisons hold.
    EXPECT_EQ(a.v.num, 0.3L);
    EXPECT_EQ(b.v.num, 0.1L);
}

TEST_F(InputFields, StoppedReadFailsWithoutAnAbort) {
    in.stopped = true;
    Cell n(s_NUM);
    EXPECT_EQ(in.leer(&n.v), 0);
    EXPECT_EQ(exec.getAbortReason(), ar_NONE);
}

TEST_F(InputFields, FlushDiscardsTheRestOfTheLine) {
    in.lines = {"1,2", "3"};
    Cell n(s_NUM);
    ASSERT_EQ(in.leer(&n.v), 1);
    in.flush();
    ASSERT_EQ(in.leer(&n.v), 1);
    EXPECT_EQ(n.v.num, 3);
}

}  // namespace
