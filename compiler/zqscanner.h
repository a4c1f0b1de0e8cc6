#pragma once

#include "compiler/basescanner.h"
#include "compiler/token.h"

// Size of the buffer handed to getNextLine: a line of up to 300 characters plus its end.
constexpr int kLineBufSize = 302;
// Longest alternate token text (string values, number digits), without the terminator.
constexpr unsigned kAltTextMax = 303;
// Identifiers are known by this many leading characters.
constexpr unsigned kIdentMax = 32;

// Turns ZQ source lines into tokens. Subclasses supply the lines, their numbers and
// the error reporting; the scanner never stops by itself after an error.
class ZQScanner : public BaseScanner {
  public:
    ZQScanner() = default;
    explicit ZQScanner(const char* text) : BaseScanner(text) {}

    int nextToken();
    int getTokenKind() const { return tokenKind; }
    int isSymbolicForm() const { return symbolicForm; }

    // The token's text: the alternate text when one is in force, else the characters of
    // the line; valid until the next call (one buffer shared by all scanners).
    const char* getTokenString();
    void alterTokenString(const char* text);
    void setAlterFlag(int flag) { alterFlag = flag != 0; }
    int getAlterFlag() const { return alterFlag; }

    int readStrConst(char delimiter);
    int readNumConst();
    int readIdent();

    virtual int lineNumber() = 0;
    virtual int checkRsvWord();
    virtual void raiseError(int line, int col, const char* topic, const char* sourceLine,
                            const char* format, ...) __attribute__((format(printf, 6, 7))) = 0;
    virtual int getNextLine(char* buffer, int maxLen) = 0;

  protected:
    int tokenKind = 0;
    int symbolicForm = 0;

  private:
    void lexError(const char* format, int a, int b = 0);
    bool fetchLine();
    int skipBlockComment();
    int badChar(int c);
    bool isIdentChar(int c) const;
    void readDigits(std::string& out);

    std::string altText;
    bool alterFlag = false;
};

// Letters of identifiers: the locale's letters plus the Latin-1 enye in both cases.
bool zq_is_letter(int c);
