#pragma once

#include <memory>
#include <string>

#include "compiler/disasm.h"
#include "compiler/tablemgr.h"
#include "compiler/zqparser_text.h"
#include "lang/zqexec.h"

// Test texts are written in UTF-8; the compiler's messages are Latin-1.
std::string L(const std::string& utf8);

// One compilation of a source text with the environment's limits.
struct Compilation {
    explicit Compilation(const std::string& source, int maxErrors = 1, char debug = 1,
                         int codeSize = 9000, int stackSize = 9000);

    int error() const { return parser->getError(); }
    const ZQErrorInfo& firstError() const { return parser->errors().front(); }
    std::string code() const { return disassemble(exec); }

    ZQExec exec;
    TableMgr table;
    std::unique_ptr<ZQParser_Text> parser;
};

// Path of the zq binary under test and the source tree.
std::string zq_binary();
std::string source_dir();

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs zq with the given arguments and standard input under the given locale, in the given
// working directory (the current one when empty).
RunResult run_zq(const std::string& args, const std::string& input, const char* locale = "C",
                 const std::string& dir = "");

std::string read_file(const std::string& path);
