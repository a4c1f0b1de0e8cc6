// The program's input channel inside the environment: lines typed in the execution window's
// input box, split into fields at the read position, and single keys. Runs on the worker.
#pragma once

#include <string>

#include "lang/definput.h"

class OutputDisplay;

class ZQ_DefInput_WX : public ZQ_DefInput_File {
  public:
    ZQ_DefInput_WX(ZQExec* exec, OutputDisplay* display);

    // Reads a new line first when the current one is used up. 0 without an abort when the
    // run was stopped while the line was asked for.
    int leer(ZQVal* v) override;
    int readkey(int timeout) override;
    // Discards what remains of the current line.
    void flush() override;
    void invalidate_input_buffer() override;
    // Asks the user for one line; 0 when the run was stopped instead.
    virtual int read_one_line();

    int read_num(ZQVal* v);
    int read_str(ZQVal* v);
    int read_bool(ZQVal* v);
    int skip_separator();

  protected:
    OutputDisplay* display;
    size_t pos = 0;  // read position in the buffer

  private:
    // The next field: up to the separator or the end of the line, or one character
    // without a separator. The read position moves past it.
    std::string next_field();
};
