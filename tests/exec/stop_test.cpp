// Stopping a program, closing its editor window and closing the main window, in every state
// in which the worker waits: a line read, a key read, a beep pause, a debugger pause and a
// clear-screen.
#include <functional>

#include "app/ids.h"
#include "console/console_ids.h"
#include "run_fixture.h"

namespace {

struct WaitingState {
    const char* name;
    std::string source;
    int command;
    std::function<bool(RunTest*)> reached;
};

class StopTest : public RunTest {
  protected:
    bool executing() const { return !main->main_menu_bar()->IsEnabled(ID_EJECUTAR); }
    bool reading() const { return output()->reading_line(); }
    bool waiting_key() const { return output()->waiting_for_key(); }
    bool paused() const { return current_line() == 1; }

    // Starts the state's program and waits until the worker is in its wait.
    void reach(const WaitingState& s) {
        open_program("w.zq", s.source);
        editor_command(s.command);
        ASSERT_TRUE(wait_until([&] { return s.reached(this); })) << s.name;
    }

    std::vector<WaitingState> states() {
        return {
            {"leer", "var s : cadena\ninicio\n  leer(s)\n  imprimir(\"no\")\nfin\n", ID_EJECUTAR,
             [](RunTest* t) { return static_cast<StopTest*>(t)->reading(); }},
            {"readkey", "var k : numerico\ninicio\n  k = readkey(0)\n  imprimir(\"no\")\nfin\n",
             ID_EJECUTAR, [](RunTest* t) { return static_cast<StopTest*>(t)->waiting_key(); }},
            {"beep", "inicio\n  beep(440, 60000)\n  imprimir(\"no\")\nfin\n", ID_EJECUTAR,
             [](RunTest* t) { return static_cast<StopTest*>(t)->executing(); }},
            {"pausa", "inicio\n  imprimir(\"no\")\nfin\n", ID_TRACE_INTO,
             [](RunTest* t) { return static_cast<StopTest*>(t)->paused(); }},
            {"cls", "inicio\n  mientras (1 == 1) {\n    cls()\n  }\n  imprimir(\"no\")\nfin\n",
             ID_EJECUTAR, [](RunTest* t) { return static_cast<StopTest*>(t)->executing(); }},
        };
    }

    // What is left once the run is over: no program output after the wait, no error dialog.
    void expect_clean_end(const WaitingState& s) {
        EXPECT_EQ(screen_text().find("no"), std::string::npos) << s.name;
        EXPECT_TRUE(errors_shown.empty()) << s.name;
    }
};

const Shown STOPPED{"Mensaje", L"Ejecución interrumpida por usuario"};

TEST_F(StopTest, TheStopCommandEndsTheRunInEveryWait) {
    for (const WaitingState& s : states()) {
        reach(s);
        command(main, ID_TERMINAR);
        EXPECT_TRUE(wait_run_end()) << s.name;
        EXPECT_EQ(q->shown, std::vector<Shown>{STOPPED}) << s.name;
        EXPECT_FALSE(active()->editor()->GetReadOnly()) << s.name;
        EXPECT_EQ(current_line(), -1) << s.name;
        EXPECT_TRUE(wait_until([&] { return !executing(); })) << s.name;
        expect_clean_end(s);
        TearDown();
        SetUp();
    }
}

TEST_F(StopTest, ClosingTheEditorWindowStopsItsProgramInEveryWait) {
    for (const WaitingState& s : states()) {
        reach(s);
        wxWeakRef<ChildFrame> ref(active());
        q->answers = {wxYES};
        command(main, ID_CERRAR);
        EXPECT_TRUE(wait_until([&] { return !ref && editors().size() == 1; })) << s.name;
        EXPECT_EQ(q->shown.size(), 2u) << s.name;
        EXPECT_EQ(q->shown.back(), STOPPED) << s.name;
        EXPECT_FALSE(output()->IsExecuting(nullptr));
        expect_clean_end(s);
        TearDown();
        SetUp();
    }
}

TEST_F(StopTest, ClosingTheMainWindowStopsTheProgramInEveryWait) {
    for (const WaitingState& s : states()) {
        reach(s);
        q->answers = {wxYES};
        main->Close(false);
        EXPECT_TRUE(wait_until([&] { return main_gone(); })) << s.name;
        EXPECT_TRUE(errors_shown.empty()) << s.name;
        TearDown();
        SetUp();
    }
}

// Answering No keeps both the window and its program.
TEST_F(StopTest, RefusingToStopKeepsTheWindowAndTheRun) {
    reach(states()[0]);
    wxWeakRef<ChildFrame> ref(active());
    q->answers = {wxNO};
    command(main, ID_CERRAR);
    EXPECT_FALSE(wait_until([&] { return !ref; }, 200));
    EXPECT_TRUE(running());
    type_line("x");
    EXPECT_TRUE(wait_run_end());
    EXPECT_EQ(screen_text(), "x\nno\n");
}

}  // namespace
