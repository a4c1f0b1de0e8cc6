#pragma once

#include <string>
#include <vector>

#include "compiler/zqparser.h"

// Compiles a source held in memory (a file read by the runner, or a test's text). Lines
// longer than the editor's limit are cut the same way, so a program compiles alike in both.
class ZQParser_Text : public ZQParser {
  public:
    // maxErrors 1 stops at the first error, as the environment does; more lets the parser
    // resynchronise and report further errors, up to that many.
    ZQParser_Text(const std::string& source, ZQCode* code, TableMgr* table, char debug,
                  int maxErrors = 1);

    int lineNumber() override { return lineIndex; }
    int getNextLine(char* buffer, int maxLen) override;
    int showError(ZQErrorInfo* e) override;
    int reopenSource() override;

    const std::vector<ZQErrorInfo>& errors() const { return reported; }

  private:
    std::vector<std::string> lines;
    int lineIndex = 0;
    int maxErrors;
    std::vector<ZQErrorInfo> reported;
};

// Characters of a source line that reach the scanner.
constexpr size_t kMaxSourceLine = 299;
