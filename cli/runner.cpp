#include "cli/runner.h"

#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "util/text_encoding.h"
#include "cli/utf8_stdio.h"
#include "compiler/tablemgr.h"
#include "compiler/zqparser_text.h"
#include "lang/zqexec.h"
#include "lang/zqx_disk.h"

namespace {

// The environment's own limits, so a program behaves alike in both.
constexpr int kDefaultCode = 9000;
constexpr int kDefaultStack = 9000;

struct Options {
    bool compileOnly = false;
    int codeSize = kDefaultCode;
    int stackSize = kDefaultStack;
    const char* program = nullptr;
    std::vector<const char*> args;
};

// Messages are Latin-1 texts; a UTF-8 terminal gets them converted.
class Console {
  public:
    Console() {
        std::setlocale(LC_CTYPE, "");
        utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
        // The language's character classes stay those of the "C" locale, as in the IDE.
        std::setlocale(LC_CTYPE, "C");
    }
    bool isUtf8() const { return utf8; }
    std::string shown(const std::string& latin1) const {
        return utf8 ? latin1_to_utf8(latin1) : latin1;
    }
    void print(FILE* f, const std::string& latin1) const {
        const std::string text = shown(latin1);
        std::fwrite(text.data(), 1, text.size(), f);
    }
    // Arguments and file contents arrive in the terminal's encoding.
    std::string fromUser(const std::string& text) const {
        std::string out;
        if (!utf8 || utf8_to_latin1(text, out) != std::string::npos) return text;
        return out;
    }

  private:
    bool utf8 = false;
};

const char* kUsage =
    "Uso: zq [opciones] PROGRAMA.zq [ARGUMENTO...]\n"
    "     zq [opciones] PROGRAMA.zqx [ARGUMENTO...]\n"
    "     zq -c [opciones] PROGRAMA.zq\n";

const char* kHelp =
    "Compila un programa ZQ con informaci\xf3n de l\xed"
    "neas y lo ejecuta; la entrada y la "
    "salida\nest\xe1ndar son las del programa, y los ARGUMENTOs son los suyos (pcount, "
    "paramval).\n\n"
    "Opciones:\n"
    "  -c          solo compila y escribe PROGRAMA.zqx junto al fuente\n"
    "  --code N    capacidad del c\xf3"
    "digo en instrucciones (por omisi\xf3n 9000, hasta "
    "100000)\n"
    "  --stack N   celdas de la pila (por omisi\xf3n 9000, de 500 a 1000000)\n"
    "  --help      muestra esta ayuda\n"
    "  --version   muestra la versi\xf3n\n\n"
    "Estado de salida: 0 fin normal, 1 error de ejecuci\xf3n, 2 error de compilaci\xf3n,\n"
    "3 error de uso o de archivo.\n";

int usageError(const Console& con, const std::string& message) {
    con.print(stderr, "zq: " + message + "\n" + kUsage);
    return zq_USAGE_ERROR;
}

bool parseLimit(const char* text, int low, int high, int* value) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (!text[0] || *end || n < low || n > high) return false;
    *value = static_cast<int>(n);
    return true;
}

// Returns -1 when the command line is complete, else the status to exit with.
int parseOptions(const Console& con, int argc, char** argv, Options* o) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string opt = argv[i];
        if (opt == "--help") {
            con.print(stdout, std::string(kUsage) + kHelp);
            return zq_OK;
        }
        if (opt == "--version") {
            con.print(stdout, "zq (ZQE) " ZQE_VERSION ", archivos objeto versi\xf3n " +
                                  std::string(ZQX_VERSION) + "\n");
            return zq_OK;
        }
        if (opt == "-c") {
            o->compileOnly = true;
            continue;
        }
        if (opt == "--code" || opt == "--stack") {
            const bool codeOpt = opt == "--code";
            if (i + 1 >= argc) return usageError(con, "falta el valor de " + opt);
            const bool ok = codeOpt ? parseLimit(argv[++i], 1, ZQCODE_MAX_INSTS, &o->codeSize)
                                    : parseLimit(argv[++i], RTSTACK_MIN_CELLS, RTSTACK_MAX_CELLS,
                                                 &o->stackSize);
            if (!ok) {
                return usageError(con, codeOpt ? "--code debe ser un entero entre 1 y 100000"
                                               : "--stack debe ser un entero entre 500 y 1000000");
            }
            continue;
        }
        return usageError(con, "opci\xf3n desconocida `" + opt + "'");
    }
    if (i >= argc) return usageError(con, "falta el programa");
    o->program = argv[i++];
    for (; i < argc; ++i) o->args.push_back(argv[i]);
    if (o->compileOnly && !o->args.empty()) {
        return usageError(con, "-c no admite argumentos para el programa");
    }
    return -1;
}

bool endsWith(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

bool readFile(const Console& con, const char* path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (in) {
        std::ostringstream all;
        all << in.rdbuf();
        if (in.good() || in.eof()) {
            *text = all.str();
            return true;
        }
    }
    con.print(stderr,
              std::string("zq: no se puede leer `") + path + "': " + std::strerror(errno) + "\n");
    return false;
}

std::string sourceLine(const std::string& text, int line) {
    size_t start = 0;
    for (int n = 1; n < line && start != std::string::npos; ++n) {
        start = text.find('\n', start);
        if (start != std::string::npos) ++start;
    }
    if (start == std::string::npos || start > text.size()) return "";
    return text.substr(start, text.find('\n', start) - start);
}

// "FILE:LINE:COL: error: MESSAGE", then the line and a caret under the column.
void reportCompileError(const Console& con, const char* program, const std::string& text, int line,
                        int col, const char* message, const char* source) {
    std::string shownLine = source ? source : sourceLine(text, line);
    while (!shownLine.empty() && (shownLine.back() == '\n' || shownLine.back() == '\r')) {
        shownLine.pop_back();
    }
    std::string caret;
    for (int i = 0; i + 1 < col && i < static_cast<int>(shownLine.size()); ++i) {
        caret += shownLine[static_cast<size_t>(i)] == '\t' ? '\t' : ' ';
    }
    while (static_cast<int>(caret.size()) + 1 < col) caret += ' ';
    char where[64];
    std::snprintf(where, sizeof where, ":%d:%d: error: ", line, col);
    con.print(stderr,
              std::string(program) + where + message + "\n" + shownLine + "\n" + caret + "^\n");
}

// A source file in UTF-8 is taken to Latin-1; any other file already is Latin-1.
bool sourceToLatin1(const Console& con, const char* program, std::string* text) {
    std::string_view view = *text;
    if (view.substr(0, 3) == "\xEF\xBB\xBF") view.remove_prefix(3);
    if (!is_valid_utf8(view)) return true;
    std::string latin1;
    const size_t bad = utf8_to_latin1(view, latin1);
    if (bad == std::string::npos) {
        *text = latin1;
        return true;
    }
    const std::string before(view.substr(0, bad));
    const int line = 1 + static_cast<int>(std::count(before.begin(), before.end(), '\n'));
    const size_t lineStart = before.rfind('\n') == std::string::npos ? 0 : before.rfind('\n') + 1;
    std::string prefix;
    utf8_to_latin1(before.substr(lineStart), prefix);
    const size_t lineEnd = view.find('\n', bad);
    const std::string wholeLine(view.substr(lineStart, lineEnd - lineStart));
    char message[128];
    std::snprintf(message, sizeof message,
                  "El car\xe1"
                  "cter Unicode U+%04lX no existe en Latin-1 y no puede usarse en ZQ",
                  utf8_decode(reinterpret_cast<const unsigned char*>(view.data()) + bad,
                              utf8_sequence_length(static_cast<unsigned char>(view[bad]))));
    std::string caret(prefix.size(), ' ');
    char where[64];
    std::snprintf(where, sizeof where, ":%d:%zu: error: ", line, prefix.size() + 1);
    con.print(stderr, std::string(program) + where + message + "\n");
    // The source line is shown as the user wrote it.
    std::fwrite(wholeLine.data(), 1, wholeLine.size(), stderr);
    std::fprintf(stderr, "\n%s^\n", caret.c_str());
    return false;
}

int compileSource(const Console& con, const Options& o, ZQExec* exec) {
    std::string text;
    if (!readFile(con, o.program, &text)) return zq_USAGE_ERROR;
    if (!sourceToLatin1(con, o.program, &text)) return zq_COMPILE_ERROR;
    if (!exec->createStack(o.stackSize)) {
        con.print(stderr, "zq: No hay suficiente memoria\n");
        return zq_USAGE_ERROR;
    }
    TableMgr table(exec);
    ZQParser_Text parser(text, exec, &table, 1);
    parser.parse();
    if (parser.getError()) {
        const ZQErrorInfo& e = parser.errors().front();
        reportCompileError(con, o.program, text, e.getLineNumber(), e.getColNumber(),
                           e.getMessage(), e.getSourceWithError());
        return zq_COMPILE_ERROR;
    }
    return -1;
}

int writeObject(const Console& con, const Options& o, ZQExec* exec) {
    std::string path = o.program;
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
    path += ".zqx";
    if (path == o.program) {
        con.print(stderr, "zq: Nombres de archivo de entrada y salida son iguales\n");
        return zq_USAGE_ERROR;
    }
    ZQX_Disk disk(exec);
    const abort_reason r = disk.writeTo(path.c_str(), 0);
    if (r != ar_NONE) {
        std::remove(path.c_str());
        con.print(stderr, "zq: " + path + ": " + get_abort_descrip(r) + "\n");
        return zq_USAGE_ERROR;
    }
    return zq_OK;
}

int loadObject(const Console& con, const Options& o, ZQExec* exec) {
    if (FILE* f = std::fopen(o.program, "rb")) {
        std::fclose(f);
    } else {
        con.print(stderr, std::string("zq: no se puede leer `") + o.program +
                              "': " + std::strerror(errno) + "\n");
        return zq_USAGE_ERROR;
    }
    if (!exec->createStack(o.stackSize)) {
        con.print(stderr, "zq: No hay suficiente memoria\n");
        return zq_USAGE_ERROR;
    }
    ZQX_Disk disk(exec);
    const abort_reason r = disk.readFrom(o.program, 1);
    if (r != ar_NONE) {
        con.print(stderr, std::string("zq: ") + o.program + ": " + get_abort_descrip(r) + "\n");
        return zq_USAGE_ERROR;
    }
    return -1;
}

int run(const Console& con, const Options& o, ZQExec* exec, ZQ_DefInput_File* in,
        ZQ_DefOutput_File* out) {
    if (con.isUtf8()) {
        FILE* reader = open_utf8_reader(STDIN_FILENO);
        FILE* writer = open_utf8_writer(STDOUT_FILENO);
        if (reader && writer) {
            in->set_exec(exec);
            in->set_fp(reader);
            out->set_exec(exec);
            std::fflush(stdout);
            out->set_fp(writer);
            exec->set_def_stdin(in);
            exec->set_def_stdout(out);
        } else {
            if (reader) std::fclose(reader);
            if (writer) std::fclose(writer);
        }
    }
    std::vector<std::string> args;
    for (const char* a : o.args) args.push_back(con.fromUser(a));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (!exec->initExec(argv.data(), static_cast<int>(args.size()))) {
        exec->reportError();
        return zq_RUN_ERROR;
    }
    fpu_reset();
    const int ok = exec->exec(0, 0);
    exec->stop();
    return ok ? zq_OK : zq_RUN_ERROR;
}

}  // namespace

int zq_main(int argc, char** argv) {
    const Console con;
    Options o;
    if (const int status = parseOptions(con, argc, argv, &o); status >= 0) return status;
    // The channels outlive the machine, which flushes them when it stops.
    ZQ_DefInput_File in;
    ZQ_DefOutput_File out;
    const bool object = endsWith(o.program, ".zqx") && !o.compileOnly;
    ZQExec exec(object ? 0 : o.codeSize);
    const int status = object ? loadObject(con, o, &exec) : compileSource(con, o, &exec);
    if (status >= 0) return status;
    if (o.compileOnly) return writeObject(con, o, &exec);
    const int result = run(con, o, &exec, &in, &out);
    std::fflush(stdout);
    return result;
}
