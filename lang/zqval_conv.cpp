#include "lang/zqval.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "lang/fpu.h"

namespace {

// Shared by num2str and num2str_def_format: callers copy the text at once.
char conv_buf[512];

}  // namespace

const char* num2str(long double x, char width, char decimals, char fill) {
    const FpuRounding nearest(FPU_RC_NEAREST);
    // Field widths are signed bytes, so at most 127 characters of padding plus the digits;
    // a huge number still fits the buffer because snprintf truncates.
    std::snprintf(conv_buf, sizeof conv_buf, "%*.*Lf", static_cast<signed char>(width),
                  static_cast<signed char>(decimals), x);
    if (fill != ' ')
        for (char* p = conv_buf; *p == ' '; ++p) *p = fill;
    return conv_buf;
}

char* num2str_def_format(long double x) {
    const FpuRounding nearest(FPU_RC_NEAREST);
    std::snprintf(conv_buf, sizeof conv_buf, "%Lg", x);
    return conv_buf;
}

long double str2num(const char* s) {
    const FpuRounding nearest(FPU_RC_NEAREST);
    return std::strtold(s, nullptr);
}

const char* bool2str(char b) {
    return b ? "SI" : "NO";
}

int str2bool(const char* s) {
    if (strcasecmp(s, "SI") == 0 || strcasecmp(s, "TRUE") == 0) return 1;
    if (strcasecmp(s, "NO") == 0) return 0;
    if (std::strcmp(s, "FALSE") == 0) return 0;
    return -1;
}

char* strupr(char* s) {
    for (char* p = s; *p; ++p) *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return s;
}

char* strlwr(char* s) {
    for (char* p = s; *p; ++p) *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return s;
}
