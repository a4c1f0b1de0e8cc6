#include "compiler/zqscanner.h"

#include <cctype>
#include <cstring>

namespace {

struct RsvWord {
    const char* word;
    token tk;
};

// Searched linearly; several words share one token, so the parser cannot tell them apart.
const RsvWord RsvWords[] = {
    {"and", tk_AND},          {"archivo", tk_ARCHIVO},
    {"caso", tk_CASO},        {"const", tk_CONST},
    {"constantes", tk_CONST}, {"desde", tk_DESDE},
    {"eval", tk_EVAL},        {"fin", tk_FIN},
    {"hasta", tk_HASTA},      {"inicio", tk_INICIO},
    {"lib", tk_LIB},          {"libext", tk_LIBEXT},
    {"matriz", tk_VECTOR},    {"mientras", tk_MIENTRAS},
    {"not", tk_NOT},          {"or", tk_OR},
    {"paso", tk_PASO},        {"sub", tk_SUB},
    {"subrutina", tk_SUB},    {"programa", tk_PROGRAMA},
    {"ref", tk_REF},          {"registro", tk_REGISTRO},
    {"repetir", tk_REPETIR},  {"retorna", tk_RETORNA},
    {"salir", tk_SALIR},      {"si", tk_SI},
    {"sino", tk_SINO},        {"tipos", tk_TIPOS},
    {"var", tk_VAR},          {"variables", tk_VAR},
    {"vector", tk_VECTOR},    {"", tk_ERROR},
};

constexpr int kEnye = 241;
constexpr int kEnyeUpper = 209;
constexpr int kCtrlZ = 26;

char tokenText[kTokenTextSize];

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool zq_is_letter(int c) {
    return c == kEnye || c == kEnyeUpper || (c >= 0 && c < 256 && std::isalpha(c));
}

bool ZQScanner::isIdentChar(int c) const {
    return zq_is_letter(c) || isDigit(c) || c == '_';
}

void ZQScanner::alterTokenString(const char* text) {
    altText.assign(text ? text : "");
    if (altText.size() > kAltTextMax) altText.resize(kAltTextMax);
    alterFlag = true;
}

const char* ZQScanner::getTokenString() {
    if (alterFlag) {
        std::strncpy(tokenText, altText.c_str(), kTokenTextSize - 1);
        tokenText[kTokenTextSize - 1] = '\0';
    } else {
        BaseScanner::getTokenString(tokenText);
    }
    return tokenText;
}

void ZQScanner::lexError(const char* format, int a, int b) {
    raiseError(lineNumber(), static_cast<int>(curPos()), "lex", curString(), format, a, b);
}

bool ZQScanner::fetchLine() {
    char buffer[kLineBufSize];
    buffer[0] = '\0';
    if (getNextLine(buffer, kLineBufSize) <= 0) return false;
    buffer[kLineBufSize - 1] = '\0';
    set(buffer);
    return true;
}

int ZQScanner::nextToken() {
    tokenKind = 0;
    symbolicForm = 0;
    alterFlag = false;
    for (;;) {
        if (eoln() && !fetchLine()) {
            setTokenPos(curPos() + 1);
            alterTokenString("<fin de archivo>");
            return tokenKind = tk_EOF;
        }
        const unsigned start = curPos() + 1;
        const int c = nextChar();
        int kind = 0;
        switch (c) {
            case ' ':
            case '\t':
            case '\f':
            case '\r':
                continue;
            case '\n':
                kind = tk_EOLN;
                setTokenPos(start);
                alterTokenString("<fin de l\xednea>");
                return tokenKind = kind;
            case kCtrlZ:
                setTokenPos(start);
                alterTokenString("<fin de archivo>");
                return tokenKind = tk_EOF;
            case '!':
                kind = tk_NOT;
                break;
            case '&':
            case '|':
                if (seeNextChar() == c) {
                    nextChar();
                    kind = c == '&' ? tk_AND : tk_OR;
                    symbolicForm = 1;
                } else {
                    kind = badChar(c);
                }
                break;
            case '"':
            case '\'':
                setTokenPos(start);
                kind = readStrConst(static_cast<char>(c));
                break;
            case '%':
                kind = tk_PERCENT;
                break;
            case '(':
                kind = tk_LPAREN;
                break;
            case ')':
                kind = tk_RPAREN;
                break;
            case '+':
                kind = tk_PLUS;
                break;
            case ',':
                kind = tk_COMMA;
                break;
            case '-':
                kind = tk_MINUS;
                break;
            case ':':
                kind = tk_COLON;
                break;
            case ';':
                kind = tk_SEMICOLON;
                break;
            case '[':
                kind = tk_LBRACKET;
                break;
            case ']':
                kind = tk_RBRACKET;
                break;
            case '^':
                kind = tk_CARET;
                break;
            case '{':
                kind = tk_LBRACE;
                break;
            case '}':
                kind = tk_RBRACE;
                break;
            case '.':
                if (seeNextChar() != '.') {
                    kind = tk_DOT;
                } else {
                    nextChar();
                    if (seeNextChar() == '.') {
                        nextChar();
                        kind = tk_ELLIPSIS;
                    } else {
                        kind = badChar('.');
                    }
                }
                break;
            case '<':
                if (seeNextChar() == '>') {
                    nextChar();
                    kind = tk_NE;
                } else if (seeNextChar() == '=') {
                    nextChar();
                    kind = tk_LE;
                } else {
                    kind = tk_LT;
                }
                break;
            case '=':
                if (seeNextChar() == '=') {
                    nextChar();
                    kind = tk_EQ;
                } else {
                    kind = tk_ASSIGN;
                }
                break;
            case '>':
                if (seeNextChar() == '=') {
                    nextChar();
                    kind = tk_GE;
                } else {
                    kind = tk_GT;
                }
                break;
            case '/':
                if (seeNextChar() == '/') {
                    while (!eoln() && seeNextChar() != '\n') nextChar();
                    continue;
                }
                if (seeNextChar() == '*') {
                    nextChar();
                    if (skipBlockComment() == tk_EOF) return tokenKind = tk_EOF;
                    continue;
                }
                kind = tk_DIV;
                break;
            case '*':
                if (seeNextChar() == '/') {
                    nextChar();
                    lexError("Se encontr\xf3 cierre de comentario (`*/') que nunca fue abierto", 0);
                    continue;
                }
                kind = tk_STAR;
                break;
            default:
                setTokenPos(start);
                if (isDigit(c)) {
                    kind = readNumConst();
                } else if (zq_is_letter(c) || c == '_') {
                    kind = readIdent();
                } else {
                    kind = badChar(c);
                }
                break;
        }
        setTokenPos(start);
        return tokenKind = kind;
    }
}

int ZQScanner::badChar(int c) {
    if (c < 32 || c > 127) {
        lexError(
            "El car\xe1"
            "cter ASCII %d (no imprimible) no tiene significado en ZQ",
            c);
    } else {
        lexError(
            "El car\xe1"
            "cter `%c' (ASCII %d) no tiene significado en ZQ",
            c, c);
    }
    return tk_ERROR;
}

// Skips up to the closing "*/" across lines; the end of the source inside the comment is
// reported with the line where the comment began.
int ZQScanner::skipBlockComment() {
    const int startLine = lineNumber();
    for (;;) {
        if (eoln()) {
            if (fetchLine()) continue;
            break;
        }
        const int c = nextChar();
        if (c == kCtrlZ) break;
        if (c == '*' && seeNextChar() == '/') {
            nextChar();
            return 0;
        }
    }
    setTokenPos(curPos() + 1);
    alterTokenString("<fin de archivo>");
    tokenKind = tk_EOF;
    raiseError(lineNumber(), 1, "lex", "", "Falta cerrar comentario iniciado en la l\xednea %d",
               startLine);
    return tk_EOF;
}

int ZQScanner::readIdent() {
    std::string text(1, static_cast<char>(charAt(curPos())));
    while (isIdentChar(seeNextChar())) text += static_cast<char>(nextChar());
    if (text == "_") return badChar('_');
    if (text.size() > kIdentMax) {
        text.resize(kIdentMax);
        alterTokenString(text.c_str());
    }
    tokenKind = tk_IDENT;
    return checkRsvWord();
}

int ZQScanner::checkRsvWord() {
    char text[kTokenTextSize];
    if (getAlterFlag()) {
        std::strncpy(text, altText.c_str(), sizeof text - 1);
        text[sizeof text - 1] = '\0';
    } else {
        BaseScanner::getTokenString(text);
    }
    tokenKind = tk_IDENT;
    if (!zq_is_letter(static_cast<unsigned char>(text[0]))) return tokenKind;
    for (const RsvWord* r = RsvWords; r->word[0]; ++r) {
        if (std::strcmp(r->word, text) != 0) continue;
        tokenKind = r->tk;
        alterTokenString(text);
        if (tokenKind == tk_SINO) {
            unsigned skipped = 0;
            while (seeNextChar() == ' ' || seeNextChar() == '\t') {
                nextChar();
                ++skipped;
            }
            if (seeNextChar() == 's') {
                nextChar();
                ++skipped;
                if (seeNextChar() == 'i') {
                    nextChar();
                    tokenKind = tk_SINO_SI;
                    alterTokenString("sino si");
                    return tokenKind;
                }
            }
            while (skipped-- > 0) backChar();
        }
        return tokenKind;
    }
    return tokenKind;
}

// Digits with '_' separators, which are dropped.
void ZQScanner::readDigits(std::string& out) {
    while (isDigit(seeNextChar()) || seeNextChar() == '_') {
        const int c = nextChar();
        if (c != '_') out += static_cast<char>(c);
    }
}

int ZQScanner::readNumConst() {
    std::string text(1, static_cast<char>(charAt(curPos())));
    readDigits(text);
    if (seeNextChar() == '.') {
        nextChar();
        text += '.';
        if (!isDigit(seeNextChar())) {
            lexError("Luego del punto decimal debe haber al menos un d\xedgito", 0);
            return tk_ERROR;
        }
        readDigits(text);
    }
    if (seeNextChar() == 'e' || seeNextChar() == 'E') {
        text += static_cast<char>(nextChar());
        if (seeNextChar() == '-') {
            text += static_cast<char>(nextChar());
        } else if (seeNextChar() == '+') {
            nextChar();
        }
        if (!isDigit(seeNextChar())) {
            lexError(
                "El n\xfamero en notaci\xf3n cient\xed"
                "fica requiere al menos un d\xedgito para el exponente",
                0);
            return tk_ERROR;
        }
        readDigits(text);
    }
    alterTokenString(text.c_str());
    return tokenKind = tk_NUMCONST;
}

int ZQScanner::readStrConst(char delimiter) {
    std::string value;
    for (;;) {
        if (eoln() || seeNextChar() == '\n') {
            lexError("Falta cerrar la cadena", 0);
            return tk_ERROR;
        }
        int c = nextChar();
        if (c == static_cast<unsigned char>(delimiter)) break;
        if (c == '\\') {
            if (eoln() || seeNextChar() == '\n') continue;
            c = nextChar();
            if (c == 'n') {
                c = '\n';
            } else if (c == 'r') {
                c = '\r';
            } else if (c == 't') {
                c = '\t';
            }
        }
        value += static_cast<char>(c);
    }
    alterTokenString(value.c_str());
    return tokenKind = tk_STRCONST;
}
