// The execution manager of an editor window: turns its run and debug commands into runs of the
// virtual machine on a worker thread, and resumes that thread at debugger stops.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <set>
#include <wx/string.h>
#include <wx/thread.h>

#include "exec/compmgr.h"

class ChildFrame;
class ErrorDisplay;
class OutputDisplay;
class ThreadMgr;
class WX_ZQExec;
class mytext;
class wxGUIEventLoop;

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
    // GUI thread: the user's stop of this window's run. Releases a parked thread too.
    void stop();
    // GUI thread: runs events until this window's worker has ended (a closing window).
    void wait_for_end();
    // Worker thread: the worker's yes/no question (ID_ASK), answered through answer().
    int ask(const wxString& text);
    void answer(int a);

    void set_arguments(int count, char** vector);

  private:
    // GUI thread, on ID_THREAD_END: joins the ended worker and forgets it.
    void thread_ended();
    // Worker: redirection of a fresh run from the main window's file names.
    bool redirigir();
    // GUI thread: the breakpoint lines (1-based) as the worker will mark them.
    void snapshot_breakpoints();

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
    // The table of the last compile before a start; the loaded program's own table.
    std::shared_ptr<CompiledTable> next_table;
    std::shared_ptr<CompiledTable> program_table;
    std::mutex breakpoints_lock;
    std::set<unsigned> breakpoint_lines;
    unsigned caret_line = 0;
    wxGUIEventLoop* end_waiter = nullptr;
};
