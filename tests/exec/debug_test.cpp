// Stepping: F7, F8 and F10 move the current-line marker; breakpoints stop a run and can be
// toggled while the program is paused.
#include "app/ids.h"
#include "exec/compmgr.h"
#include "run_fixture.h"

namespace {

// Lines (1-based):    1      2            3            4            5     6
const std::string STEPS =
    "var a : numerico\ninicio\n  a = uno()\n  a = a + 1\n  imprimir(a)\nfin\n"
    //  7                            8         9            10
    "sub uno() retorna numerico\ninicio\n  retorna 1\nfin\n";

class DebugTest : public RunTest {
  protected:
    // Runs a step command and waits for the pause; the marker's 1-based line, or 0.
    int step(int id) {
        editor_command(id);
        if (!wait_until([&] { return paused_at() != 0 || !running(); })) return 0;
        return paused_at();
    }
    int paused_at() const { return current_line() + 1; }
};

TEST_F(DebugTest, F7StepsIntoAndF8StepsOver) {
    open_program("d.zq", STEPS);
    EXPECT_EQ(step(ID_TRACE_INTO), 3);
    EXPECT_TRUE(active()->editor()->GetReadOnly());
    EXPECT_EQ(step(ID_TRACE_INTO), 9);
    EXPECT_EQ(step(ID_STEP_OVER), 10);
    EXPECT_EQ(step(ID_STEP_OVER), 4);
    EXPECT_EQ(step(ID_STEP_OVER), 5);
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "2\n");
    EXPECT_EQ(current_line(), -1);
    EXPECT_FALSE(active()->editor()->GetReadOnly());
}

TEST_F(DebugTest, F8OverACallStopsAtTheCallersNextLine) {
    open_program("d.zq", STEPS);
    EXPECT_EQ(step(ID_STEP_OVER), 3);
    EXPECT_EQ(step(ID_STEP_OVER), 4);
}

TEST_F(DebugTest, F10RunsToTheCaretLine) {
    open_program("d.zq", STEPS);
    active()->editor()->GotoLine(4);
    EXPECT_EQ(step(ID_RUN_TO_CURSOR), 5);
    active()->editor()->GotoLine(0);
    editor_command(ID_RUN_TO_CURSOR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "2\n");
}

TEST_F(DebugTest, BreakpointsToggledWhilePausedTakeEffectOnResume) {
    open_program("d.zq", STEPS);
    mytext* text = active()->editor();
    text->GotoLine(3);
    editor_command(ID_BREAK_POINT);
    EXPECT_FALSE(text->IsModified());
    EXPECT_EQ(step(ID_EJECUTAR), 4);
    // Paused: one breakpoint added on line 5, the one on line 4 removed.
    text->GotoLine(4);
    editor_command(ID_BREAK_POINT);
    text->GotoLine(3);
    editor_command(ID_BREAK_POINT);
    EXPECT_EQ(text->BreakPointCount(), 1);
    EXPECT_EQ(step(ID_EJECUTAR), 5);
    text->GotoLine(4);
    editor_command(ID_BREAK_POINT);
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "2\n");
    // The same marks stop the next run again without a compile.
    text->GotoLine(8);
    editor_command(ID_BREAK_POINT);
    EXPECT_EQ(step(ID_EJECUTAR), 9);
}

// A compile while paused discards the program; its thread starts the new one when resumed.
TEST_F(DebugTest, ACompileWhilePausedReleasesTheParkedThread) {
    open_program("d.zq", STEPS);
    EXPECT_EQ(step(ID_TRACE_INTO), 3);
    active()->comp_manager()->compiled = false;
    EXPECT_EQ(step(ID_TRACE_INTO), 3);
    editor_command(ID_EJECUTAR);
    ASSERT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "2\n");
}

}  // namespace
