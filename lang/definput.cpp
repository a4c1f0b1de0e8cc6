#include "lang/definput.h"

#include <unistd.h>

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

int ZQ_DefInput_File::leer(ZQVal*) {
    return 0;
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
    if (buffer.empty() || (n > DEF_INPUT_BUFFER_SIZE - 1 && n >= input_buffer_size)) {
        buffer.assign(n > 0 ? n : DEF_INPUT_BUFFER_SIZE, '\0');
        input_buffer_size = static_cast<int>(buffer.size());
    }
    invalidate_input_buffer();
}

int ZQ_DefInput_File::skip_separator() {
    return 1;
}
bool ZQ_DefInput_File::read_field() {
    return false;
}
int ZQ_DefInput_File::read_num(ZQVal*) {
    return 0;
}
int ZQ_DefInput_File::read_str(ZQVal*) {
    return 0;
}
int ZQ_DefInput_File::read_bool(ZQVal*) {
    return 0;
}

void ZQ_DefInput_File::close() {
    if (file) flush();
    if (file && file != stdin) std::fclose(file);
    file = nullptr;
}

int ZQ_DefInput_File::is_tty() {
    return file && isatty(fileno(file));
}
