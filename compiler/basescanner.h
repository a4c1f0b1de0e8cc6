#pragma once

#include <string>

// Size of the buffer shared by all scanners for returned token texts.
constexpr unsigned kTokenTextSize = 320;

// One line of text walked character by character. The line is held behind a
// leading blank so that the index of a character is also its 1-based column.
class BaseScanner {
  public:
    BaseScanner() { set(""); }
    explicit BaseScanner(const char* text) { set(text); }
    virtual ~BaseScanner() = default;

    void set(const char* text);
    void restart();

    int nextChar();
    int seeNextChar();
    void backChar();

    unsigned curPos() const { return position; }
    unsigned lineLen() const { return length; }
    bool eoln() const { return position >= length; }
    const char* curString() const { return lineBuf.c_str() + 1; }

    unsigned getTokenPos() const { return tokenPos; }
    void setTokenPos(unsigned pos) { tokenPos = pos; }
    unsigned tokenLen() const { return position - tokenPos + 1; }
    void getTokenString(char* dst) const;

    virtual int EOLN_CHAR() { return 10; }

  protected:
    // Raw access for the literal readers, which look at the character under the position.
    unsigned char charAt(unsigned i) const { return static_cast<unsigned char>(lineBuf[i]); }

  private:
    std::string lineBuf;
    unsigned position = 0;
    unsigned length = 0;
    unsigned tokenPos = 0;
};
