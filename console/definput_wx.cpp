#include "console/definput_wx.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "console/output_display.h"
#include "lang/fpu.h"
#include "lang/zqexec.h"

ZQ_DefInput_WX::ZQ_DefInput_WX(ZQExec* exec, OutputDisplay* display)
    : ZQ_DefInput_File(exec), display(display) {
    invalidate_input_buffer();
}

int ZQ_DefInput_WX::leer(ZQVal* v) {
    if (buffer[pos] == '\0' && !read_one_line()) return 0;
    switch (v->tipo) {
        case s_NUM:
            return read_num(v);
        case s_STR:
            return read_str(v);
        case s_BOOL:
            return read_bool(v);
        default:
            fail(ar_UNKNOWN_TYPE);
            return 0;
    }
}

int ZQ_DefInput_WX::read_one_line() {
    pos = 0;
    return display->read_line(buffer.data(), input_buffer_size) ? 1 : 0;
}

int ZQ_DefInput_WX::readkey(int timeout) {
    return display->read_key(timeout);
}

void ZQ_DefInput_WX::flush() {
    invalidate_input_buffer();
}

void ZQ_DefInput_WX::invalidate_input_buffer() {
    pos = 0;
    if (!buffer.empty()) buffer[0] = '\0';
}

int ZQ_DefInput_WX::skip_separator() {
    if (!has_ifs || buffer[pos] == '\0') return 1;
    if (buffer[pos] == ifs[0]) {
        ++pos;
        return 1;
    }
    fail(ar_NEED_FS);
    return 0;
}

int ZQ_DefInput_WX::read_num(ZQVal* v) {
    const char* start = buffer.data() + pos;
    char* end = nullptr;
    double x = 0;
    {
        // Typed numbers convert as written, not with the program's upward rounding.
        const FpuRounding nearest(FPU_RC_NEAREST);
        x = std::strtod(start, &end);
    }
    if (end == start) {
        fail(ar_NOT_NUMERIC);
        return 0;
    }
    v->num = x;
    pos += static_cast<size_t>(end - start);
    return skip_separator();
}

std::string ZQ_DefInput_WX::next_field() {
    const char* start = buffer.data() + pos;
    size_t n = 0;
    if (!has_ifs)
        n = *start ? 1 : 0;
    else if (const char* sep = std::strchr(start, ifs[0]))
        n = static_cast<size_t>(sep - start);
    else
        n = std::strlen(start);
    pos += n;
    return std::string(start, n);
}

int ZQ_DefInput_WX::read_str(ZQVal* v) {
    const std::string field = next_field();
    if (!skip_separator()) return 0;
    char* s = zqval_strdup(field.c_str());
    if (!s) {
        fail(ar_NO_MEMORY);
        return 0;
    }
    v->str = s;
    return 1;
}

int ZQ_DefInput_WX::read_bool(ZQVal* v) {
    if (!has_ifs) {
        fail(ar_BOOL_NEEDS_IFS);
        return 0;
    }
    const std::string field = next_field();
    if (!skip_separator()) return 0;
    const int b = str2bool(field.c_str());
    if (b < 0) {
        fail(ar_NOT_BOOLEAN);
        return 0;
    }
    v->b = static_cast<char>(b);
    return 1;
}
