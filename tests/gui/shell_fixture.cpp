#include "shell_fixture.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <wx/sysopt.h>
#include <wx/utils.h>

bool wait_until(const std::function<bool()>& cond, int timeout_ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!cond()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
    return true;
}

std::string ShellTest::home() {
    return wxGetHomeDir().ToStdString();
}

void ShellTest::SetUp() {
    auto scripted = std::make_unique<ScriptedQuestioner>();
    q = scripted.get();
    set_questioner(std::move(scripted));
    std::remove((home() + "/zqe2.ini").c_str());
    // The settings table outlives each start, as it outlives nothing in a real run.
    for (const char* key : {"ZOOM", "MAINWIN_MAX", "MAINWIN_WIDTH", "MAINWIN_HEIGHT", "MAINWIN_X",
                            "MAINWIN_Y", "PRINTERCOMMAND"})
        wxSystemOptions::SetOption(key, "");
    char tmpl[] = "/tmp/zqe-gui-files-XXXXXX";
    ASSERT_TRUE(mkdtemp(tmpl));
    dir = tmpl;
}

void ShellTest::TearDown() {
    if (main_ref) {
        q->answers.clear();  // every further question is answered No: nothing is saved
        main_ref->Close(true);
        EXPECT_TRUE(wait_until([&] { return main_gone(); }));
    }
    std::system(("chmod -R u+w " + dir + " && rm -rf " + dir).c_str());
}

ParentFrame* ShellTest::start(const std::vector<wxString>& args) {
    main = wxGetApp().arrancar(args);
    main_ref = main;
    EXPECT_TRUE(wait_until([&] { return main->IsShown() && active() != nullptr; }));
    return main;
}

void ShellTest::close_main() {
    main->Close(false);
    wait_until([&] { return main_gone(); }, 300);
}

std::vector<ChildFrame*> ShellTest::editors() const {
    std::vector<ChildFrame*> out;
    for (wxWindow* w : main->GetClientWindow()->GetChildren())
        if (auto* c = dynamic_cast<ChildFrame*>(w); c && !c->IsBeingDeleted()) out.push_back(c);
    return out;
}

void ShellTest::command(wxWindow* w, int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(w);
    w->GetEventHandler()->ProcessEvent(event);
}

std::string ShellTest::write_file(const std::string& name, const std::string& bytes) const {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ShellTest::read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
