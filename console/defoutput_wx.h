// The program's output channel inside the environment: everything goes to the execution
// window's text screen. Runs on the worker thread.
#pragma once

#include "lang/defoutput.h"

class OutputDisplay;

class ZQ_DefOutput_WX : public ZQ_DefOutput_File {
  public:
    ZQ_DefOutput_WX(ZQExec* exec, OutputDisplay* display);

    int imprimir_str(const char* s) override;
    void close() override {}
    void cls() override;
    // Rings the desktop bell, then pauses the program; a stop ends the pause at once.
    void beep(int freq, int millis) override;
    void set_curpos(int row, int col) override;
    void get_curpos(int* row, int* col) override;
    void set_color(int fg, int bg) override;
    void get_color(int* fg, int* bg) override;
    void get_screen_size(int* rows, int* cols) override;
    virtual int IsOpened() { return 1; }
    virtual void Open() {}

  private:
    OutputDisplay* display;
};
