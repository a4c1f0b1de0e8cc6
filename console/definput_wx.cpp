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
    return read_value(v);
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
    long double x = 0;
    {
        // Typed numbers convert as written, not with the program's upward rounding, and to
        // the full precision of the language's numbers, as literals and files do.
        const FpuRounding nearest(FPU_RC_NEAREST);
        x = std::strtold(start, &end);
    }
    if (end == start) {
        fail(ar_NOT_NUMERIC);
        return 0;
    }
    v->num = x;
    pos += static_cast<size_t>(end - start);
    return skip_separator();
}

bool ZQ_DefInput_WX::next_field(std::string& field) {
    const char* start = buffer.data() + pos;
    size_t n = 0;
    if (!has_ifs)
        n = *start ? 1 : 0;
    else if (const char* sep = std::strchr(start, ifs[0]))
        n = static_cast<size_t>(sep - start);
    else
        n = std::strlen(start);
    pos += n;
    field.assign(start, n);
    return true;
}
