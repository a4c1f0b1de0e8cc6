#pragma once

#include <atomic>

#include "lang/abort_reason.h"
#include "lang/definput.h"
#include "lang/defoutput.h"
#include "lang/rtstack.h"
#include "lang/stdf_id.h"
#include "lang/zqcode.h"

// Run states. Other threads write the state word to pause or stop a run; the loop reads it
// anew after every instruction.
enum run_state {
    st_RUNNING = 0,
    st_PAUSED = 1,
    st_ABORTED = 2,
    st_STOPPED = 3,
};

// The virtual machine: owns the code segment and the run-time stack of one program.
// The environment derives its stepping machine and the debugger its evaluator from it.
class ZQExec : public ZQCode, public ZQ_RTStack {
  protected:
    INST* code_start = nullptr;
    std::atomic<int> state{st_STOPPED};
    int FP = 0;       // stack index of the current frame link
    int line = 0;     // source line of the last line marker
    int routine = 0;  // code address of the routine of that line
    abort_reason abort_code = ar_NONE;
    int GB = 0;  // stack index of global address 0
    INST* PC = nullptr;
    ZQ_DefInput_File* cur_stdin = nullptr;
    ZQ_DefOutput_File* cur_stdout = nullptr;
    ZQ_DefInput_File* def_stdin = nullptr;
    ZQ_DefOutput_File* def_stdout = nullptr;
    int console = 0;  // set once the run's first screen operation called initConsole
    char** argv = nullptr;
    int argc = 0;
    bool owns_def_stdin = false;  // created here rather than installed by the host
    bool owns_def_stdout = false;

  public:
    explicit ZQExec(int code_capacity = 0);
    ~ZQExec() override;

    virtual int initExec(char** argv, int argc);
    virtual int exec(unsigned, unsigned);
    virtual void reportError();
    // Sets the console flag; an override prepares the display and calls this one.
    virtual void initConsole();
    void abort(abort_reason r) override;

    // Executes the instruction at PC and advances PC. For stepping loops and the debugger.
    void execOneInst();

    void exec_stdf(STDF_ID id);
    int exec_stdf_leer(ZQVal* first, int count);
    int exec_stdf_imprimir(ZQVal* first, int count, int depth);

    // 1 when at least n + 100 cells are free above the top and no failure is recorded.
    int chkstk(unsigned n) {
        if (!room_for(top, n)) abort(ar_NO_MEMORY);
        return abort_code == ar_NONE;
    }
    void stop();

    int getAbortReason() const { return abort_code; }
    void setAbortReason(abort_reason r) { abort_code = r; }
    int getState() const { return state.load(std::memory_order_relaxed); }
    void setState(int s) { state.store(s, std::memory_order_relaxed); }
    INST* getPC() const { return PC; }
    void setPC(INST* pc) { PC = pc; }
    INST* getCodeStart() const { return code_start; }
    int getFP() const { return FP; }
    void setFP(int fp) { FP = fp; }
    int getGB() const { return GB; }
    void setGB(int gb) { GB = gb; }
    int getLine() const { return line; }
    void setLine(int l) { line = l; }
    int getRoutine() const { return routine; }
    void setRoutine(int r) { routine = r; }
    char** getArgv() const { return argv; }
    int getArgc() const { return argc; }
    int getConsoleFlag() const { return console; }

    // The host installs its own default channels (not deleted here, and flushed when a run
    // stops, so they must outlive the machine or be replaced first); missing ones are
    // created on standard input and output.
    void set_def_stdin(ZQ_DefInput_File* in);
    void set_def_stdout(ZQ_DefOutput_File* out);
    ZQ_DefInput_File* get_def_stdin() const { return def_stdin; }
    ZQ_DefOutput_File* get_def_stdout() const { return def_stdout; }
    ZQ_DefInput_File* get_cur_stdin() const { return cur_stdin; }
    ZQ_DefOutput_File* get_cur_stdout() const { return cur_stdout; }
    void create_default_io_channels();
    // Redirection; an empty path returns to the default channel. 0 when the file cannot
    // be opened (nothing changes).
    int set_stdin(const char* path);
    int set_stdout(const char* path, const char* mode);

    using ZQ_RTStack::shallowCopy;
    using ZQCode::shallowCopy;
    void shallowCopy(const ZQExec* other);

  private:
    // chkstk's test for a top held elsewhere: no failure recorded, room for n + 100 cells.
    bool room_for(const ZQVal* t, unsigned n) const {
        return stack_size - (t - base) >= static_cast<long>(n) + 100 && abort_code == ar_NONE;
    }
    // A failed space check ends the run, with the failure already recorded (an external
    // routine may record one without stopping the run) or for want of room.
    void end_for_space() { abort(abort_code != ar_NONE ? abort_code : ar_NO_MEMORY); }
    template <bool Loop>
    void run();
    void run_loop();
    void push_copy(const ZQVal* v);
    void push_cells(const ZQVal* first, uint32_t k);
    void store(uint32_t k);
    void replicate(int32_t n, uint32_t k);
    void dim(uint32_t k);
    void lib_load(const ZQVal* name);
    void lib_sym(const ZQVal* name, const ZQVal* handle);
};

void set_current_zqexec(ZQExec* e);
ZQExec* get_current_zqexec();
int fpu_is_avail();
// Rounding toward plus infinity for the program's arithmetic, every exception masked (a
// trap would end the whole environment; invalid results are detected after the operation).
void fpu_reset();
void FPE_handler(int, int);
