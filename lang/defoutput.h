#pragma once

#include <cstdio>
#include <memory>
#include <string>

class ZQExec;

constexpr int DEF_OUTPUT_BUFFER_SIZE = 8192;
// First character: separator between the cells of one value; the rest: the text written
// for an array without storage.
constexpr const char* DEF_OFS = ",<nodim>";

// Output channel of imprimir and the screen subroutines. On a stream the screen operations
// do nothing; the environment derives a window channel that implements them.
class ZQ_DefOutput_File {
  protected:
    ZQExec* exec = nullptr;
    FILE* file = nullptr;
    std::unique_ptr<char[]> buffer;  // line buffer of a redirected file
    std::string ofs = DEF_OFS;

  public:
    ZQ_DefOutput_File();
    explicit ZQ_DefOutput_File(ZQExec* exec);
    ZQ_DefOutput_File(const ZQ_DefOutput_File&) = delete;
    ZQ_DefOutput_File& operator=(const ZQ_DefOutput_File&) = delete;
    virtual ~ZQ_DefOutput_File();

    virtual int imprimir_str(const char* s);
    virtual void flush();
    virtual void close();
    virtual int is_tty();
    virtual void cls();
    virtual void beep(int freq, int millis);
    virtual void set_curpos(int row, int col);
    virtual void get_curpos(int* row, int* col);
    virtual void set_color(int fg, int bg);
    virtual void get_color(int* fg, int* bg);
    virtual void get_screen_size(int* rows, int* cols);
    virtual int stdout_change_buffer();

    void set_fp(FILE* fp);
    FILE* get_fp() const { return file; }
    void set_exec(ZQExec* e) { exec = e; }
    void set_ofs(const char* s) { ofs = s; }
    const char* get_ofs() const { return ofs.c_str(); }
};
