// The IDE flavour of the parser: it reads its source lines straight from an editor control and
// hands the first compile error to the editor window's error dialog.
#pragma once

#include "compiler/zqparser.h"

class ErrorDisplay;
class mytext;

class ZQParser_WX : public ZQParser {
  public:
    // editor must not be null. The IDE always compiles with line information (debug 1).
    ZQParser_WX(ErrorDisplay* errors, mytext* editor, ZQCode* code, TableMgr* table, char debug);

    int lineNumber() override { return line_index; }
    int getNextLine(char* buffer, int size) override;
    int showError(ZQErrorInfo* e) override;
    int reopenSource() override;

  private:
    int line_index = 0;
    // A line that ended with Ctrl-Z was the last one.
    bool ended = false;
    mytext* editor;
    ErrorDisplay* errors;
    ZQErrorInfo own_error{1};
};
