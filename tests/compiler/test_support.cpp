#include "tests/compiler/test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "util/text_encoding.h"

std::string L(const std::string& utf8) {
    std::string out;
    utf8_to_latin1(utf8, out);
    return out;
}

Compilation::Compilation(const std::string& source, int maxErrors, char debug, int codeSize,
                         int stackSize)
    : exec(codeSize), table((exec.createStack(stackSize), &exec)) {
    parser = std::make_unique<ZQParser_Text>(source, &exec, &table, debug, maxErrors);
    parser->parse();
}

std::string zq_binary() {
    return ZQ_BINARY;
}
std::string source_dir() {
    return ZQE_SOURCE_DIR;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

RunResult run_zq(const std::string& args, const std::string& input, const char* locale,
                 const std::string& dir) {
    char temp[] = "/tmp/zqtestXXXXXX";
    RunResult r;
    if (!mkdtemp(temp)) return r;
    const std::string base = temp;
    std::ofstream(base + "/in", std::ios::binary) << input;
    const std::string cd = dir.empty() ? "" : "cd '" + dir + "' && ";
    const std::string cmd = cd + "env LC_ALL=" + std::string(locale) + " " + zq_binary() + " " +
                            args + " <" + base + "/in >" + base + "/out 2>" + base + "/err";
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = read_file(base + "/out");
    r.err = read_file(base + "/err");
    std::system(("rm -rf " + base).c_str());
    return r;
}
