// The compilation manager of an editor window: compiles the window's text into an object
// file beside the source and remembers whether that file still matches the text.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "compiler/tablemgr.h"
#include "compiler/zqerrorinfo.h"
#include "lang/zqexec.h"

// Code-segment instructions and stack cells of every program the environment compiles and runs.
constexpr int ZQE_CELLS = 9000;

class ErrorDisplay;
class mytext;
class wxWindow;

// The symbol table of one compile, with the compile-time machine whose stack holds its
// constant pool. Shared, so that a later compile cannot free what a paused program's debugger
// views still read.
struct CompiledTable {
    CompiledTable();
    ZQExec machine{ZQE_CELLS};
    TableMgr table{&machine};
};

class CompMgr {
  public:
    CompMgr(ErrorDisplay* errors, mytext* editor, wxWindow* frame);

    // GUI thread. false: nothing was compiled; true: the parser ran, LastError() tells whether
    // it found an error. report asks for the "Compilación exitosa" message.
    bool compilar(bool report);
    bool create_zqx(const char* source, ZQExec* exec);
    // 1 when the object and source names differ; otherwise warns and returns 0.
    int check_fname(const char* object, const char* source);

    TableMgr* GetTable() const { return table ? &table->table : nullptr; }
    std::shared_ptr<CompiledTable> table_ref() const { return table; }
    std::optional<ZQErrorInfo> LastError() const { return last_error; }
    std::string CompiledFileName() const { return compiled_file; }
    // Posts ID_SHOW_ERROR (compile mode) to the editor window.
    void show_error();

    // Read by the interpreter thread before a run.
    std::atomic<bool> compiled{false};

  private:
    std::shared_ptr<CompiledTable> table;
    std::string compiled_file;
    std::optional<ZQErrorInfo> last_error;
    ErrorDisplay* errors;
    mytext* editor;
    wxWindow* frame;
};

// Object-file name of a source: its extension replaced by ".zqx"; empty when too long.
std::string object_name(const char* source);
