#include "compiler/basescanner.h"

#include <cstring>

void BaseScanner::set(const char* text) {
    const char* t = text ? text : "";
    const size_t n = std::strlen(t);
    lineBuf.resize(n + 1);
    lineBuf[0] = ' ';
    std::memcpy(lineBuf.data() + 1, t, n);
    restart();
}

void BaseScanner::restart() {
    position = 0;
    tokenPos = 0;
    length = static_cast<unsigned>(lineBuf.size() - 1);
}

int BaseScanner::nextChar() {
    if (position >= length) return EOLN_CHAR();
    return charAt(++position);
}

int BaseScanner::seeNextChar() {
    if (position >= length) return EOLN_CHAR();
    return charAt(position + 1);
}

void BaseScanner::backChar() {
    if (position > 0) --position;
}

void BaseScanner::getTokenString(char* dst) const {
    if (tokenPos == 0 || tokenPos > position) {
        dst[0] = '\0';
        return;
    }
    unsigned n = tokenLen();
    if (n > kTokenTextSize - 1) n = kTokenTextSize - 1;
    std::memcpy(dst, lineBuf.data() + tokenPos, n);
    dst[n] = '\0';
}
