// Bounded fuzzing of the compiler: random bytes, token soup and mutations of the sample
// programs, a fixed number of each, from a fixed seed. Every input must end in an error or
// in code whose jumps and calls all land inside the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "tests/compiler/test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr int kIterations = 2000;

const char* const kTokens[] = {"programa", "var",
                               "const",    "tipos",
                               "libext",   "inicio",
                               "fin",      "sub",
                               "retorna",  "ref",
                               "si",       "sino",
                               "sino si",  "eval",
                               "caso",     "mientras",
                               "repetir",  "hasta",
                               "desde",    "paso",
                               "salir",    "registro",
                               "vector",   "matriz",
                               "numerico", "cadena",
                               "logico",   "x",
                               "y",        "v",
                               "f",        "leer",
                               "imprimir", "dim",
                               "alen",     "min",
                               "ifval",    "intercambiar",
                               "substr",   "inc",
                               "1",        "2.5",
                               "\"s\"",    "'t'",
                               "TRUE",     "(",
                               ")",        "[",
                               "]",        "{",
                               "}",        ",",
                               ";",        ":",
                               "=",        "==",
                               "<>",       "<",
                               ">=",       "+",
                               "-",        "*",
                               "/",        "%",
                               "^",        "&&",
                               "||",       "and",
                               "not",      "!",
                               ".",        "...",
                               "*",        "\n",
                               "\n",       "\n",
                               "/*",       "*/",
                               "//",       "\"",
                               "#",        "\x01",
                               "\xF1",     "\xC8",
                               "\0"};

class Fuzzer {
  public:
    explicit Fuzzer(unsigned seed) : rng(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    std::string randomBytes() {
        std::string s(static_cast<size_t>(pick(400)), ' ');
        for (char& c : s) c = static_cast<char>(pick(4) == 0 ? pick(256) : 32 + pick(95));
        return s;
    }

    std::string tokenSoup() {
        std::string s;
        for (int n = pick(200); n > 0; --n) {
            const char* t = kTokens[pick(sizeof kTokens / sizeof kTokens[0])];
            s += t[0] ? std::string(t) : std::string(1, '\0');
            s += pick(3) == 0 ? "" : " ";
        }
        return s;
    }

    std::string mutate(std::string s) {
        for (int n = 1 + pick(4); n > 0 && !s.empty(); --n) {
            const size_t at = static_cast<size_t>(pick(static_cast<int>(s.size())));
            const size_t len = static_cast<size_t>(pick(20));
            switch (pick(4)) {
                case 0:
                    s.erase(at, len);
                    break;
                case 1:
                    s.insert(at, s.substr(at, len));
                    break;
                case 2:
                    s.insert(at, std::string(" ") +
                                     kTokens[pick(sizeof kTokens / sizeof kTokens[0])] + " ");
                    break;
                default:
                    s.resize(at);
                    break;
            }
        }
        return s;
    }

  private:
    std::mt19937 rng;
};

std::vector<std::string> corpus() {
    std::vector<std::string> out;
    for (const char* dir : {"tests/programs", "examples"}) {
        for (const auto& e : fs::directory_iterator(source_dir() + "/" + dir)) {
            if (e.path().extension() == ".zq") out.push_back(read_file(e.path().string()));
        }
    }
    return out;
}

// Compiles in both modes; a clean compile must leave well-formed code.
void check(const std::string& source) {
    for (int maxErrors : {1, 50}) {
        Compilation c(source, maxErrors);
        if (c.error()) {
            ASSERT_FALSE(c.parser->errors().empty());
            ASSERT_NE(c.firstError().getMessage(), nullptr);
            continue;
        }
        const int n = c.exec.nextAddr();
        ASSERT_GT(n, 0);
        for (int i = 0; i < n; ++i) {
            const INST& in = *c.exec.getInst(i);
            if (in.opcode == i_JMP || in.opcode == i_JMPF || in.opcode == i_JMPT) {
                ASSERT_GE(i + in.op1, 0) << source;
                ASSERT_LE(i + in.op1, n) << source;
            }
            if (in.opcode == i_CALL) {
                ASSERT_GE(in.op1, 0) << source;
                ASSERT_LT(in.op1, n) << source;
                ASSERT_EQ(c.exec.getInst(in.op1)->opcode, i_ENTER) << source;
            }
        }
    }
}

TEST(Fuzz, RandomBytesNeverCrashTheCompiler) {
    Fuzzer f(1);
    for (int i = 0; i < kIterations; ++i) check(f.randomBytes());
}

TEST(Fuzz, TokenSoupNeverCrashesTheCompiler) {
    Fuzzer f(2);
    for (int i = 0; i < kIterations; ++i) check(f.tokenSoup());
}

TEST(Fuzz, MutatedProgramsCompileOrFailCleanly) {
    Fuzzer f(3);
    const std::vector<std::string> programs = corpus();
    ASSERT_FALSE(programs.empty());
    for (int i = 0; i < kIterations; ++i) {
        check(f.mutate(programs[static_cast<size_t>(f.pick(static_cast<int>(programs.size())))]));
    }
}

}  // namespace
