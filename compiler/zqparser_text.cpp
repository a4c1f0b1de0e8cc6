#include "compiler/zqparser_text.h"

#include <cstring>

ZQParser_Text::ZQParser_Text(const std::string& source, ZQCode* code, TableMgr* table, char debug,
                             int maxErrors)
    : ZQParser(code, table, debug), maxErrors(maxErrors) {
    size_t start = 0;
    while (start < source.size()) {
        size_t end = source.find('\n', start);
        if (end == std::string::npos) end = source.size();
        lines.push_back(source.substr(start, end - start));
        start = end + 1;
    }
}

int ZQParser_Text::getNextLine(char* buffer, int maxLen) {
    if (lineIndex >= static_cast<int>(lines.size()) || maxLen < 2) return 0;
    const std::string& line = lines[static_cast<size_t>(lineIndex++)];
    size_t kept = std::min(line.size(), std::min(kMaxSourceLine, static_cast<size_t>(maxLen) - 2));
    // A NUL byte would silently end the line; it is reported like any meaningless byte.
    const size_t nul = line.find('\0');
    if (nul < kept) {
        kept = nul;
        std::string shown = line.substr(0, nul);
        raiseError(lineIndex, static_cast<int>(nul) + 1, "lex", shown.c_str(),
                   "El car\xe1"
                   "cter ASCII %d (no imprimible) no tiene significado en ZQ",
                   0);
    }
    std::memcpy(buffer, line.data(), kept);
    buffer[kept] = '\n';
    buffer[kept + 1] = '\0';
    return 1;
}

int ZQParser_Text::showError(ZQErrorInfo* e) {
    reported.push_back(*e);
    return static_cast<int>(reported.size()) < maxErrors;
}

int ZQParser_Text::reopenSource() {
    lineIndex = 0;
    return 1;
}
