// Starts the real main window in the test process's application, with a scripted questioner,
// a fresh settings file in the temporary home directory and a folder for source files.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include <wx/weakref.h>

#include "app/app.h"
#include "app/child_frame.h"
#include "app/mytext.h"
#include "app/parent_frame.h"
#include "scripted_questioner.h"

// Runs the event loop until cond holds or the deadline passes; returns cond().
bool wait_until(const std::function<bool()>& cond, int timeout_ms = 5000);

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the IDE as with these command-line arguments.
    ParentFrame* start(const std::vector<wxString>& args = {});
    // Closes the main window as the user would (the close may be cancelled).
    void close_main();
    bool main_gone() const { return !main_ref; }
    ChildFrame* active() const { return main->GetCurrentChild(); }
    std::vector<ChildFrame*> editors() const;
    // Sends a menu or tool command to a window's event processing.
    static void command(wxWindow* w, int id);
    std::string write_file(const std::string& name, const std::string& bytes) const;
    static std::string read_file(const std::string& path);
    static std::string home();
    std::string settings_text() const { return read_file(home() + "/zqe2.ini"); }
    void type(const wxString& text) const { active()->editor()->AddText(text); }

    ScriptedQuestioner* q = nullptr;
    ParentFrame* main = nullptr;
    wxWeakRef<ParentFrame> main_ref;
    std::string dir;
};
