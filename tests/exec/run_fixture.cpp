#include "run_fixture.h"

#include <dirent.h>

#include <wx/button.h>

#include "app/ids.h"
#include "console/console_ids.h"
#include "console/input_box.h"
#include "console/screen.h"

void RunTest::SetUp() {
    ShellTest::SetUp();
    errors_shown.clear();
    dialog_timer = std::make_unique<wxTimer>();
    dialog_timer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { answer_error_dialogs(); });
    dialog_timer->Start(20);
}

void RunTest::TearDown() {
    ShellTest::TearDown();
    dialog_timer.reset();
}

void RunTest::answer_error_dialogs() {
    for (wxWindow* w : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<ErrorDisplay*>(w);
        if (!dialog || !dialog->IsModal()) continue;
        errors_shown.push_back({dialog->GetTitle(), dialog->message_text()});
        wxCommandEvent click(wxEVT_BUTTON, 10);
        click.SetEventObject(dialog);
        dialog->GetEventHandler()->ProcessEvent(click);
    }
}

ChildFrame* RunTest::open_program(const std::string& name, const std::string& source) {
    start({write_file(name, source)});
    return active();
}

std::string RunTest::screen_text() const {
    std::vector<std::string> rows;
    for (int r = 0; r < 25; ++r) rows.push_back(output()->screen()->row_text(r));
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    std::string out;
    for (const std::string& r : rows) out += r + "\n";
    return out;
}

bool RunTest::wait_run_end(int timeout_ms) {
    return wait_until([&] { return !running(); }, timeout_ms);
}

void RunTest::type_line(const wxString& line) {
    ASSERT_TRUE(wait_until([&] { return output()->reading_line(); }));
    output()->input_box()->text()->SetValue(line);
    wxCommandEvent enter(wxEVT_TEXT_ENTER, ID_INPUT_BOX);
    enter.SetEventObject(output()->input_box()->text());
    output()->GetEventHandler()->ProcessEvent(enter);
}

void RunTest::press_key(int code) {
    ASSERT_TRUE(wait_until([&] { return output()->waiting_for_key(); }));
    wxKeyEvent key(wxEVT_CHAR);
    key.m_keyCode = code;
    output()->GetEventHandler()->ProcessEvent(key);
}

int RunTest::thread_count() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/task")) {
        while (const dirent* e = readdir(d))
            if (e->d_name[0] != '.') ++n;
        closedir(d);
    }
    return n;
}
