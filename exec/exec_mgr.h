// The execution manager of an editor window: turns its run and debug commands into runs of the
// virtual machine on a worker thread, and resumes that thread at debugger stops.
#pragma once

#include <atomic>
#include <memory>
#include <wx/string.h>
#include <wx/thread.h>

#include "exec/compmgr.h"

class ChildFrame;
class ErrorDisplay;
class OutputDisplay;
class ThreadMgr;
class WX_ZQExec;
class mytext;

class ExecMgr {
  public:
    ExecMgr(OutputDisplay* output, mytext* editor, CompMgr* comp, ChildFrame* frame,
            ErrorDisplay* errors);
    ~ExecMgr();

    // GUI thread: start, or resume, a run in the given mode.
    void llamarInterprete(int mode);
    // Worker thread: prepare and perform one machine run.
    void llamarThread(int mode);
    // Worker thread: true when the current object file exists; name receives its path.
    bool codeReadyToRun(std::string* name);
    // Loads an object file into the machine; an abort code, 0 on success.
    int init_exec(const char* object, const char* input, const char* output, int cells);
    void marcar_breakpoints();
    void set_breakpoint(int line, bool on);
    // Stops the machine, frees its code and stack and lets go of the program's symbol table.
    void programReset();

    WX_ZQExec* GetExec() const { return machine.get(); }
    int GetExecMode() const;
    // The symbol table of the loaded program, kept alive while the program is.
    TableMgr* loaded_table() const { return program_table ? &program_table->table : nullptr; }
    void ShowMsg(const wxString& text);

    // GUI thread: whether this window has a worker thread (running or parked).
    bool has_thread() const { return thread != nullptr; }
    // GUI thread, on ID_EXEC_END: joins the ended worker and forgets it.
    void thread_ended();
    // GUI thread: the sleep timer of beep fired.
    void sleep_timeout();
    // Worker thread: the worker's yes/no question (ID_ASK); GUI: stores the answer.
    int ask(const wxString& text);
    void answer(int a);

    void set_arguments(int count, char** vector);

  private:
    std::unique_ptr<WX_ZQExec> machine;
    OutputDisplay* output;
    mytext* editor;
    CompMgr* comp;
    ChildFrame* frame;
    std::unique_ptr<ThreadMgr> thread;
    wxSemaphore ask_sem{0, 1};
    std::atomic<int> answer_value{0};
    int argc = 0;
    char** argv = nullptr;
    std::shared_ptr<CompiledTable> program_table;
};
