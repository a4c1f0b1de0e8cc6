// The execution window in the real main window: line and key reads answered through the
// toolkit's events, and every wait of a worker released by a user stop. A plain thread stands
// in for the interpreter's worker.
#include <atomic>
#include <functional>
#include <thread>
#include <wx/choice.h>

#include "app/ids.h"
#include "console/console_ids.h"
#include "console/defoutput_wx.h"
#include "console/input_box.h"
#include "console/output_display.h"
#include "console/screen.h"
#include "console/screen_panel.h"
#include "tests/gui/shell_fixture.h"

namespace {

// Runs one piece of worker code on its own thread; done() tells when it returned.
class Worker {
  public:
    explicit Worker(std::function<void()> body)
        : thread([this, body = std::move(body)] {
              body();
              finished = true;
          }) {}
    ~Worker() { thread.join(); }
    bool done() const { return finished; }

  private:
    std::atomic<bool> finished{false};
    std::thread thread;
};

class ConsoleTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        start();
        od = main->execution_window();
        ASSERT_NE(od, nullptr);
    }
    void TearDown() override {
        if (od && od->executing_window()) od->EndExec(od->thread());
        ShellTest::TearDown();
    }
    bool start_run(int mode = MODE_RUN) { return od->StartExec(nullptr, active(), mode); }
    void press_enter(const wxString& typed) {
        od->input_box()->text()->ChangeValue(typed);
        wxCommandEvent enter(wxEVT_TEXT_ENTER, ID_INPUT_BOX);
        enter.SetEventObject(od->input_box()->text());
        od->input_box()->text()->GetEventHandler()->ProcessEvent(enter);
    }
    void press_key(int key_code, wxChar uni) {
        wxKeyEvent key(wxEVT_CHAR);
        key.m_keyCode = key_code;
        key.m_uniChar = uni;
        od->screen_panel()->GetEventHandler()->ProcessEvent(key);
    }
    std::string row(int r) { return od->screen()->row_text(r); }

    OutputDisplay* od = nullptr;
};

TEST_F(ConsoleTest, StartsHiddenAndTheViewCommandShowsItWithItsCheckMark) {
    EXPECT_FALSE(od->IsShown());
    command(main, ID_SHOW_OUTSCREEN);
    EXPECT_TRUE(od->IsShown());
    EXPECT_TRUE(main->main_menu_bar()->IsChecked(ID_SHOW_OUTSCREEN));
    command(main, ID_SHOW_OUTSCREEN);
    EXPECT_FALSE(od->IsShown());
    EXPECT_FALSE(main->main_menu_bar()->IsChecked(ID_SHOW_OUTSCREEN));
}

TEST_F(ConsoleTest, TypedLineReleasesTheReaderWithLatin1BytesAndIsEchoedAndRemembered) {
    ASSERT_TRUE(start_run());
    od->print("Nombre: ");
    char buffer[301] = "x";
    bool got = false;
    {
        Worker w([&] { got = od->read_line(buffer, sizeof buffer); });
        ASSERT_TRUE(wait_until([&] { return od->reading_line(); }));
        EXPECT_TRUE(od->input_box()->IsShown());
        EXPECT_TRUE(od->history_list()->IsEnabled());
        press_enter(wxString::FromUTF8("ñandú 12"));
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
    EXPECT_TRUE(got);
    EXPECT_STREQ(buffer,
                 "\xf1"
                 "and\xfa 12");
    EXPECT_EQ(row(0),
              "Nombre: \xf1"
              "and\xfa 12");
    EXPECT_FALSE(od->input_box()->IsShown());
    ASSERT_EQ(od->history_list()->GetCount(), 1u);
    EXPECT_EQ(od->history_list()->GetString(0), wxString::FromUTF8("ñandú 12"));
    int r = 0, c = 0;
    od->GetCurrentPos(&r, &c);
    EXPECT_EQ(r, 2);  // the echo ends its line
    EXPECT_EQ(c, 0);
}

TEST_F(ConsoleTest, HistoryChoiceIsInsertedAtTheCaretAndLinesAreStoredOnce) {
    ASSERT_TRUE(start_run());
    const auto read_one = [&](const wxString& typed, const std::function<void()>& before = {}) {
        char buffer[301];
        Worker w([&] { od->read_line(buffer, sizeof buffer); });
        EXPECT_TRUE(wait_until([&] { return od->reading_line(); }));
        if (before) before();
        press_enter(typed.empty() ? od->input_box()->text()->GetValue() : typed);
        EXPECT_TRUE(wait_until([&] { return w.done(); }));
        return std::string(buffer);
    };
    read_one("primera");
    read_one("primera");
    EXPECT_EQ(od->history_list()->GetCount(), 1u);
    const std::string got = read_one("", [&] {
        od->input_box()->text()->ChangeValue("a ");
        od->input_box()->text()->SetInsertionPointEnd();
        od->history_list()->SetSelection(0);
        wxCommandEvent chosen(wxEVT_CHOICE, ID_HISTORY_LIST);
        chosen.SetEventObject(od->history_list());
        chosen.SetString("primera");
        od->history_list()->GetEventHandler()->ProcessEvent(chosen);
    });
    EXPECT_EQ(got, "a primera");
}

TEST_F(ConsoleTest, KeyReadsReturnTheKeyByteOrZeroAfterTheTimeLimit) {
    ASSERT_TRUE(start_run());
    struct KeyCase {
        int code;
        wxChar uni;
        int expected;
    } const cases[] = {{'a', 'a', 'a'},
                       {0, 0xE9, static_cast<signed char>(0xE9)},
                       {WXK_LEFT, WXK_NONE, static_cast<signed char>(WXK_LEFT & 0xFF)}};
    for (const KeyCase& k : cases) {
        int key = -1;
        Worker w([&] { key = od->read_key(0); });
        ASSERT_TRUE(wait_until([&] { return od->waiting_for_key(); }));
        press_key(k.code, k.uni);
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
        EXPECT_EQ(key, k.expected);
    }
    int key = -1;
    Worker w([&] { key = od->read_key(50); });
    ASSERT_TRUE(wait_until([&] { return w.done(); }));
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(od->waiting_for_key());
}

// Each wait of the worker, started and then released by a user stop.
struct StopCase {
    const char* name;
    std::function<void(OutputDisplay*)> wait;
    std::function<bool(OutputDisplay*)> waiting;
};

class StopTest : public ConsoleTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopTest, UserStopReleasesTheWorker) {
    ASSERT_TRUE(start_run());
    {
        Worker w([&] { GetParam().wait(od); });
        ASSERT_TRUE(wait_until([&] { return GetParam().waiting(od); }));
        od->matar_proceso();
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
    EXPECT_TRUE(od->stop_requested());
    EXPECT_FALSE(od->reading_line());
    EXPECT_FALSE(od->waiting_for_key());
    EXPECT_FALSE(od->input_box()->IsShown());
    // A stopped run that has not ended cannot be resumed, so the stop is not lost.
    EXPECT_FALSE(start_run());
    EXPECT_TRUE(od->stop_requested());
    // Later waits of the stopped run return at once.
    char buffer[301];
    EXPECT_FALSE(od->read_line(buffer, sizeof buffer));
    EXPECT_EQ(od->read_key(0), 0);
    od->EndExec(nullptr);
    EXPECT_TRUE(start_run());
    EXPECT_FALSE(od->stop_requested());
}

std::atomic<bool> in_long_wait{false};

const StopCase STOP_CASES[] = {
    {"line_read",
     [](OutputDisplay* o) {
         char b[301];
         o->read_line(b, sizeof b);
     },
     [](OutputDisplay* o) { return o->reading_line(); }},
    {"key_read_without_timeout", [](OutputDisplay* o) { o->read_key(0); },
     [](OutputDisplay* o) { return o->waiting_for_key(); }},
    {"long_beep",
     [](OutputDisplay* o) {
         ZQ_DefOutput_WX out(nullptr, o);
         in_long_wait = true;
         out.beep(440, 60000);
         in_long_wait = false;
     },
     [](OutputDisplay*) { return in_long_wait.load(); }},
};

INSTANTIATE_TEST_SUITE_P(Console, StopTest, ::testing::ValuesIn(STOP_CASES),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConsoleTest, ClearDuringARunWaitsForTheRedrawAndAStopReleasesIt) {
    ASSERT_TRUE(start_run());
    od->print("algo");
    {
        Worker w([&] { od->clear(); });
        // The GUI thread answers the redraw request while it dispatches events.
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
    EXPECT_EQ(row(0), "");
    // Hold the GUI thread back so the worker is still waiting when the stop comes.
    std::atomic<bool> entered{false};
    {
        Worker w([&] {
            entered = true;
            od->clear();
        });
        while (!entered) std::this_thread::yield();
        od->matar_proceso();
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
}

TEST_F(ConsoleTest, OutputShowsTheHiddenWindowUnlessTheUserHidItWithTheViewCommand) {
    ASSERT_TRUE(start_run());
    od->show_win(false);
    {
        Worker w([&] { od->print("hola\n"); });
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
    EXPECT_TRUE(wait_until([&] { return od->IsShown(); }));
    command(main, ID_SHOW_OUTSCREEN);  // the user hides it
    ASSERT_FALSE(od->IsShown());
    {
        Worker w([&] {
            for (int i = 0; i < 100; ++i) od->print("mas\n");
        });
        ASSERT_TRUE(wait_until([&] { return w.done(); }));
    }
    wxTheApp->Yield(true);  // any request to show the window would be handled here
    EXPECT_FALSE(od->IsShown());
}

TEST_F(ConsoleTest, OneRunAtATimeAndARefusedStartKeepsAPendingStop) {
    ChildFrame* first = active();
    ASSERT_TRUE(start_run());
    main->nuevo();
    ASSERT_TRUE(wait_until([&] { return active() != first; }));
    EXPECT_FALSE(od->StartExec(nullptr, active(), MODE_RUN));
    od->matar_proceso();
    EXPECT_FALSE(od->StartExec(nullptr, active(), MODE_RUN));
    EXPECT_TRUE(od->stop_requested());
    EXPECT_TRUE(od->IsExecuting(first));
}

TEST_F(ConsoleTest, AnEndAnnouncedTwiceNeverClearsALaterRun) {
    auto* run1 = reinterpret_cast<ThreadMgr*>(0x10);
    auto* run2 = reinterpret_cast<ThreadMgr*>(0x20);
    ASSERT_TRUE(od->StartExec(run1, active(), MODE_RUN));
    od->EndExec(run1);
    ASSERT_TRUE(od->StartExec(run2, active(), MODE_RUN));
    od->EndExec(run1);
    EXPECT_TRUE(od->IsExecuting(active()));
    od->EndExec(run2);
    EXPECT_FALSE(od->IsExecuting(active()));
}

TEST_F(ConsoleTest, KillToolIsEnabledExactlyWhileARunIsAdmitted) {
    wxToolBar* tools = od->GetToolBar();
    EXPECT_FALSE(tools->GetToolEnabled(ID_KILL_TOOL));
    ASSERT_TRUE(start_run());
    EXPECT_TRUE(tools->GetToolEnabled(ID_KILL_TOOL));
    od->EndExec(nullptr);
    EXPECT_TRUE(wait_until([&] { return !tools->GetToolEnabled(ID_KILL_TOOL); }));
}

TEST_F(ConsoleTest, ScreenChannelColoursPositionsAndBeeps) {
    ASSERT_TRUE(start_run());
    ZQ_DefOutput_WX out(nullptr, od);
    int fg = 0, bg = 0;
    out.set_color(16, 2);
    out.set_color(257, 0);  // 257 cut to 8 bits would be 1: it must stay out of range
    out.get_color(&fg, &bg);
    EXPECT_EQ(fg, 16);
    EXPECT_EQ(bg, 2);
    int rows = 0, cols = 0;
    out.get_screen_size(&rows, &cols);
    EXPECT_EQ(rows, 25);
    EXPECT_EQ(cols, 80);
    out.set_curpos(5, 10);
    out.set_curpos(26, 1);
    out.set_curpos(1, 81);
    int r = 0, c = 0;
    out.get_curpos(&r, &c);
    EXPECT_EQ(r, 5);
    EXPECT_EQ(c, 9);
    out.imprimir_str("x");
    out.get_curpos(&r, &c);
    EXPECT_EQ(c, 10);
    // A beep of no duration does not wait at all (a time limit of 0 would mean forever).
    Worker w([&] {
        out.beep(440, 0);
        out.beep(440, -5);
    });
    EXPECT_TRUE(wait_until([&] { return w.done(); }));
}

TEST_F(ConsoleTest, TooSmallFontIsRefusedAndTheScreenKeepsItsFont) {
    const int width = od->screen()->GetCharWidth();
    wxFont tiny(wxFontInfo(2).Family(wxFONTFAMILY_TELETYPE));
    EXPECT_FALSE(od->SetFont(tiny));
    EXPECT_EQ(od->screen()->GetCharWidth(), width);
    wxFont big(wxFontInfo(16).Family(wxFONTFAMILY_TELETYPE));
    EXPECT_TRUE(od->SetFont(big));
    EXPECT_GT(od->screen()->GetCharWidth(), width);
}

}  // namespace
