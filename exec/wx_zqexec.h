// The virtual machine as the environment runs it: window channels for input and output, an
// instruction loop with the stepping modes and breakpoints, and run-time errors reported
// through the editor window's error dialog.
#pragma once

#include <memory>
#include <string>

#include "compiler/zqerrorinfo.h"
#include "lang/zqexec.h"

class ChildFrame;
class ErrorDisplay;
class OutputDisplay;
class ZQ_DefInput_WX;
class ZQ_DefOutput_WX;

class WX_ZQExec : public ZQExec {
  public:
    WX_ZQExec(OutputDisplay* output, ErrorDisplay* errors, ChildFrame* editor);
    ~WX_ZQExec() override;

    void reportError() override;
    // Runs from the current instruction until the machine pauses, stops or aborts. line is the
    // caret's 1-based line, the target of MODE_RUN_TO_CURSOR. true when no abort is left.
    virtual bool exec(int mode, unsigned line);

    unsigned CurrentLine() const { return current_line; }
    // Redirection of the current run; on failure the GUI thread is asked to show the message.
    bool input_from_file();
    bool output_to_file();
    // The window channels become the standard ones again.
    void close_input_channel();
    void close_output_channel();
    std::string input_file, output_file;

    ZQ_DefInput_WX* window_input() const { return win_input.get(); }
    ZQ_DefOutput_WX* window_output() const { return win_output.get(); }
    OutputDisplay* output() const { return display; }

  private:
    bool stop_requested() const;

    unsigned current_line = static_cast<unsigned>(-1);
    std::unique_ptr<ZQ_DefInput_WX> win_input;
    std::unique_ptr<ZQ_DefOutput_WX> win_output;
    OutputDisplay* display;
    ChildFrame* editor;
    ErrorDisplay* errors;
    ZQErrorInfo own_error{1};
};
