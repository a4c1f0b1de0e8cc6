#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "lang/zqval.h"

class ZQExec;

constexpr int DEF_INPUT_BUFFER_SIZE = 301;

// Input channel of leer: reads field-separated values from a stream (standard input or a
// redirected file). The environment derives a window channel from it.
class ZQ_DefInput_File {
  protected:
    ZQExec* exec = nullptr;
    FILE* file = nullptr;
    std::vector<char> buffer;  // holds one text field
    char ifs[2] = {',', '\0'};
    bool has_ifs = true;
    int input_buffer_size = 0;

    // Reports to the executor, if any.
    void fail(int reason);
    // Reads one text field into buffer: up to the separator or a line break (not consumed),
    // or a single character without a separator. Its length, or -1 at the end of the input.
    int read_field();
    // The next text field of whatever the channel reads from; false at the end of the input.
    virtual bool next_field(std::string& field);
    // Fills v by its tag from the current field on.
    int read_value(ZQVal* v);

  public:
    ZQ_DefInput_File();
    explicit ZQ_DefInput_File(ZQExec* exec);
    ZQ_DefInput_File(const ZQ_DefInput_File&) = delete;
    ZQ_DefInput_File& operator=(const ZQ_DefInput_File&) = delete;
    virtual ~ZQ_DefInput_File();

    // Fills v by its tag; 0 at the end of the input (no abort, v unchanged) or on a failure
    // (aborted). A string cell receives a new text; the caller releases the old one.
    virtual int leer(ZQVal* v);
    virtual int readkey(int timeout);
    virtual int at_eof();
    // Rewinds the stream, so the next run reads a redirected file from its start.
    virtual void flush();
    virtual void invalidate_input_buffer();

    void set_fp(FILE* fp);
    FILE* get_fp() const { return file; }
    void set_exec(ZQExec* e) { exec = e; }
    void set_ifs(const char* s);
    const char* get_ifs() const { return has_ifs ? ifs : nullptr; }
    void set_InputBufferSize(int n);
    int get_InputBufferSize() const { return input_buffer_size; }
    virtual int skip_separator();
    virtual int read_num(ZQVal* v);
    int read_str(ZQVal* v);
    int read_bool(ZQVal* v);
    void close();
    int is_tty();
};
