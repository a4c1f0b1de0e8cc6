// The IDE started for compile and run tests: source files in editor windows, the execution
// window's screen and input, and an answerer for the error dialog.
#pragma once

#include <memory>
#include <string>
#include <vector>
#include <wx/timer.h>

#include "../gui/shell_fixture.h"
#include "console/output_display.h"
#include "exec/error_display.h"

struct ErrorShown {
    wxString title, message;
};

class RunTest : public ShellTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the source beside the others and opens it as the only editor window.
    ChildFrame* open_program(const std::string& name, const std::string& source);
    OutputDisplay* output() const { return main->execution_window(); }
    // The screen's rows up to the last non-empty one, each ended by a newline.
    std::string screen_text() const;
    bool running() const { return active() && active()->programa_en_ejecucion(); }
    bool wait_run_end(int timeout_ms = 10000);
    // Types a line into the input box and presses Enter.
    void type_line(const wxString& line);
    void press_key(int code);
    // Runs a command of the active editor window (F6, Ctrl-F9, F7 ...).
    void editor_command(int id) { command(active(), id); }
    int current_line() const { return active()->editor()->current_line(); }
    static int thread_count();

    // Every error dialog shown; each is answered with "Ver fuente".
    std::vector<ErrorShown> errors_shown;

  private:
    void answer_error_dialogs();
    std::unique_ptr<wxTimer> dialog_timer;
};
