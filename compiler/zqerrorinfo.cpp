#include "compiler/zqerrorinfo.h"

void ZQErrorInfo::replace_str(std::optional<std::string>& field, const char* text) {
    if (text) {
        field = text;
    } else {
        field.reset();
    }
}

void ZQErrorInfo::setMessage(const char* text, const char* suffix) {
    replace_str(message, text);
    if (message && suffix) *message += suffix;
}
