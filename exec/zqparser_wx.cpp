#include "exec/zqparser_wx.h"

#include <cstring>
#include <string>

#include "app/mytext.h"
#include "compiler/zqparser_text.h"
#include "exec/error_display.h"

ZQParser_WX::ZQParser_WX(ErrorDisplay* errors, mytext* editor, ZQCode* code, TableMgr* table,
                         char debug)
    : ZQParser(code, table, debug), editor(editor), errors(errors) {
    reopenSource();
}

int ZQParser_WX::getNextLine(char* buffer, int size) {
    const int count = editor->GetLineCount();
    if (ended || line_index > count || size < 2) return 0;
    const wxString text = line_index < count ? editor->GetLine(line_index) : wxString();
    ++line_index;
    // Programs are Latin-1; a character beyond it is reported where it stands.
    std::string kept;
    for (const wxUniChar c : text) {
        if (c == '\n' || c == '\r' || kept.size() == kMaxSourceLine) break;
        if (c.GetValue() > 0xFF) {
            raiseError(line_index, static_cast<int>(kept.size()) + 1, "lex", kept.c_str(),
                       "El car\xe1"
                       "cter Unicode U+%04lX no existe en Latin-1 y no puede usarse en ZQ",
                       static_cast<unsigned long>(c.GetValue()));
            break;
        }
        kept += static_cast<char>(c.GetValue());
    }
    // Ctrl-Z ends the source; the line it closes still counts.
    if (!kept.empty() && kept.back() == 26) {
        kept.back() = ' ';
        ended = true;
    }
    kept += '\n';
    const size_t n = std::min(kept.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, kept.data(), n);
    buffer[n] = '\0';
    return 1;
}

int ZQParser_WX::showError(ZQErrorInfo* e) {
    own_error.setLineNumber(e->getLineNumber());
    own_error.setColNumber(e->getColNumber());
    own_error.setMessage(e->getMessage(), nullptr);
    own_error.setSourceWithError(e->getSourceWithError());
    own_error.setContext(e->getContext());
    errors->addMessage(own_error);
    return 0;
}

int ZQParser_WX::reopenSource() {
    line_index = 0;
    ended = false;
    return 1;
}
