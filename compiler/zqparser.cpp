// Token flow, separators and the single error path of the parser.
#include "compiler/zqparser.h"

#include <cstdarg>
#include <cstdio>

namespace {

constexpr size_t kMessageSize = 1024;

char fmtBuffer[kMessageSize];

}  // namespace

ZQParser::ZQParser(ZQCode* code, TableMgr* table, char debug)
    : code(code), table(table), debug(debug) {
    code->setDebugFlag(debug);
}

ZQParser::Nesting::Nesting(ZQParser* p) : parser(p), fine(true) {
    if (++parser->nesting > kMaxNesting) {
        fine = false;
        parser->raiseError_generic(
            "memoria", fmt_error("El programa anida demasiadas expresiones, sentencias o tipos; el "
                                 "l\xedmite es %d niveles",
                                 kMaxNesting));
    }
}

// Reads one token; the scanner's own errors are reported inside it, and the words kept
// for future use end the compilation.
int ZQParser::nextToken() {
    if (tokenKind == tk_EOLN && prevToken != tk_EOLN) {
        endLine = lineNumber();
        endCol = static_cast<int>(getTokenPos());
        endLineText = curString();
    }
    prevToken = tokenKind;
    if (!running) return tokenKind = tk_EOF;
    do {
        inScanner = true;
        ZQScanner::nextToken();
        inScanner = false;
    } while (tokenKind == tk_ERROR && running);
    if (!running) return tokenKind = tk_EOF;
    if (tokenKind == tk_ARCHIVO || tokenKind == tk_LIB) {
        raiseError_generic(".not_implemented",
                           "Palabra reservada para uso futuro. No puede usarse como identificador");
        stopScanner();
        tokenKind = tk_EOF;
    }
    return tokenKind;
}

void ZQParser::skip() {
    do {
        nextToken();
    } while (tokenKind == tk_EOLN);
}

void ZQParser::checkEOL(const char* topic) {
    if (tokenKind == tk_EOF || tokenKind == tk_RBRACE) return;
    if (tokenKind == tk_SEMICOLON) {
        skip();
        return;
    }
    if (prevToken != tk_EOLN && prevToken != tk_SEMICOLON) {
        raiseError_generic(topic, "Se requiere separar los componentes con`;' o <fin de l\xednea>");
    }
}

void ZQParser::raiseError(int line, int col, const char* topic, const char* sourceLine,
                          const char* format, ...) {
    char message[kMessageSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    ZQErrorInfo e(1);
    e.setSourceWithError(sourceLine);
    e.setLineNumber(line);
    e.setColNumber(col);
    e.setContext(topic);
    e.setMessage(message);
    errorHandler(&e);
}

int ZQParser::errorHandler(ZQErrorInfo* e) {
    if (!running) return 0;
    errorCode = e->getErrorCode();
    const int goOn = showError(e);
    if (!goOn || tokenKind == tk_EOF) {
        stopScanner();
        tokenKind = tk_EOF;
    } else if (!inScanner) {
        skipAfterError();
    }
    return goOn;
}

void ZQParser::skipAfterError() {
    // An error placed at the end of the previous line was found after its statement had been
    // read whole: the current token already starts the next one.
    if (errorAtLineEnd) {
        errorAtLineEnd = false;
        return;
    }
    while (tokenKind != tk_EOLN && tokenKind != tk_SEMICOLON && tokenKind != tk_EOF) nextToken();
    skip();
}

const char* ZQParser::fmt_error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(fmtBuffer, sizeof fmtBuffer, format, args);
    va_end(args);
    return fmtBuffer;
}

void ZQParser::raiseError_expect_token(const char* topic, const char* what) {
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
               "Se requiere %s. Se encontr\xf3 `%s'", what, getTokenString());
}

void ZQParser::raiseError_undef_ident(const char* topic, const char* name, const char* suffix) {
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
               "`%s' no est\xe1 definido%s", name, suffix);
}

// A mismatch is found once the value has been read; when that took the parser to the next
// line, the error points at the end of the line that holds the value.
void ZQParser::raiseError_type_mismatch(const char* topic, TipoDato* required, TipoDato* found) {
    const bool atLineEnd = prevToken == tk_EOLN && endLine > 0;
    const int line = atLineEnd ? endLine : lineNumber();
    const int col = atLineEnd ? endCol : static_cast<int>(getTokenPos());
    const std::string text = atLineEnd ? endLineText : std::string(curString());
    errorAtLineEnd = atLineEnd;
    const char* base = "Tipos de datos no coinciden";
    const bool reqNamed = required && !required->is_anonymous();
    const bool foundNamed = found && !found->is_anonymous();
    if (reqNamed && foundNamed) {
        raiseError(line, col, topic, text.c_str(), "%s. Se necesita `%s'; encontrado `%s'", base,
                   required->getName(), found->getName());
    } else if (reqNamed) {
        raiseError(line, col, topic, text.c_str(), "%s. Se necesita `%s'", base,
                   required->getName());
    } else {
        raiseError(line, col, topic, text.c_str(), "%s", base);
    }
}

void ZQParser::raiseError_dup_ident(const char* topic, const char* name) {
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(),
               "`%s' est\xe1 duplicado", name);
}

void ZQParser::raiseError_generic(const char* topic, const char* message) {
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(), "%s", message);
}

void ZQParser::raiseError_wrong_object_type(const char* topic, BaseSimb* s, const char* what,
                                            const char* extra) {
    raiseError(lineNumber(), static_cast<int>(getTokenPos()), topic, curString(), "`%s' no es %s%s",
               s->getName(), what, extra);
}
