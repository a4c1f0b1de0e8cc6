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

    int read_num(ZQVal* v) override;
    int skip_separator() override;

  protected:
    OutputDisplay* display;
    size_t pos = 0;  // read position in the buffer

    // The next field of the typed line: up to the separator or the end of the line, or one
    // character without a separator. The read position moves past it.
    bool next_field(std::string& field) override;
};
