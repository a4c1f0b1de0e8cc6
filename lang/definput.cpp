#include "lang/definput.h"

#include <unistd.h>

#include "lang/fpu.h"
#include "lang/zqexec.h"

ZQ_DefInput_File::ZQ_DefInput_File() : ZQ_DefInput_File(nullptr) {}

ZQ_DefInput_File::ZQ_DefInput_File(ZQExec* exec) : exec(exec), file(stdin) {
    set_InputBufferSize(DEF_INPUT_BUFFER_SIZE);
}

ZQ_DefInput_File::~ZQ_DefInput_File() {
    close();
}

void ZQ_DefInput_File::fail(int reason) {
    if (exec) exec->abort(static_cast<abort_reason>(reason));
}

int ZQ_DefInput_File::leer(ZQVal* v) {
    if (at_eof()) return 0;
    return read_value(v);
}

int ZQ_DefInput_File::read_value(ZQVal* v) {
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

int ZQ_DefInput_File::readkey(int) {
    return 0;
}

int ZQ_DefInput_File::at_eof() {
    return !file || std::feof(file);
}

void ZQ_DefInput_File::flush() {
    if (file) std::rewind(file);
}

void ZQ_DefInput_File::invalidate_input_buffer() {}

void ZQ_DefInput_File::set_fp(FILE* fp) {
    close();
    file = fp;
    invalidate_input_buffer();
}

void ZQ_DefInput_File::set_ifs(const char* s) {
    has_ifs = s != nullptr;
    if (s) ifs[0] = s[0];
}

void ZQ_DefInput_File::set_InputBufferSize(int n) {
    // The buffer only grows, and never below one field of 300 characters.
    if (buffer.empty() || (n > DEF_INPUT_BUFFER_SIZE - 1 && n >= input_buffer_size)) {
        buffer.assign(n > 1 ? n : DEF_INPUT_BUFFER_SIZE, '\0');
        input_buffer_size = static_cast<int>(buffer.size());
    }
    invalidate_input_buffer();
}

int ZQ_DefInput_File::skip_separator() {
    if (!has_ifs || !file || std::feof(file)) return 1;
    const int c = std::getc(file);
    if (c == EOF || c == '\n' || c == static_cast<unsigned char>(ifs[0])) return 1;
    fail(ar_NEED_FS);
    return 0;
}

int ZQ_DefInput_File::read_field() {
    if (!file) return -1;
    int n = 0;
    if (!has_ifs) {
        const int c = std::getc(file);
        if (c == EOF) return -1;
        buffer[n++] = static_cast<char>(c);
    } else {
        const int sep = static_cast<unsigned char>(ifs[0]);
        const int limit = input_buffer_size - 1;
        int c = 0;
        while (n < limit && (c = std::getc(file)) != EOF) {
            if (c == '\n' || c == sep) {
                std::ungetc(c, file);
                break;
            }
            buffer[n++] = static_cast<char>(c);
        }
        if (n == 0 && c == EOF) return -1;
    }
    buffer[n] = '\0';
    return n;
}

int ZQ_DefInput_File::read_num(ZQVal* v) {
    if (!file) return 0;
    long double x = 0;
    int r = 0;
    {
        const FpuRounding nearest(FPU_RC_NEAREST);
        r = std::fscanf(file, "%Lf", &x);
    }
    if (r == EOF) return 0;  // only blanks were left: the end of the input, v unchanged
    if (r != 1) {
        fail(ar_NOT_NUMERIC);
        return 0;
    }
    v->num = x;
    return skip_separator();
}

bool ZQ_DefInput_File::next_field(std::string& field) {
    if (read_field() < 0) return false;
    field.assign(buffer.data());
    return true;
}

int ZQ_DefInput_File::read_str(ZQVal* v) {
    std::string field;
    if (!next_field(field) || !skip_separator()) return 0;
    char* s = zqval_strdup(field.c_str());
    if (!s) {
        fail(ar_NO_MEMORY);
        return 0;
    }
    v->str = s;
    return 1;
}

int ZQ_DefInput_File::read_bool(ZQVal* v) {
    if (!has_ifs) {
        fail(ar_BOOL_NEEDS_IFS);
        return 0;
    }
    std::string field;
    if (!next_field(field) || !skip_separator()) return 0;
    const int b = str2bool(field.c_str());
    if (b < 0) {
        fail(ar_NOT_BOOLEAN);
        return 0;
    }
    v->b = static_cast<char>(b);
    return 1;
}

void ZQ_DefInput_File::close() {
    if (file) flush();
    if (file && file != stdin) std::fclose(file);
    file = nullptr;
}

int ZQ_DefInput_File::is_tty() {
    return file && isatty(fileno(file));
}
