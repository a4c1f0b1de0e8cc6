#include "lang/defoutput.h"

#include <sys/time.h>
#include <unistd.h>

ZQ_DefOutput_File::ZQ_DefOutput_File() : file(stdout) {}

ZQ_DefOutput_File::ZQ_DefOutput_File(ZQExec* exec) : exec(exec), file(stdout) {}

ZQ_DefOutput_File::~ZQ_DefOutput_File() {
    close();
}

int ZQ_DefOutput_File::imprimir_str(const char* s) {
    if (file) std::fputs(s, file);
    return 1;
}

void ZQ_DefOutput_File::flush() {
    if (file) std::fflush(file);
}

void ZQ_DefOutput_File::close() {
    flush();
    if (file && file != stdout) std::fclose(file);
    file = nullptr;
}

int ZQ_DefOutput_File::is_tty() {
    return file && isatty(fileno(file));
}

void ZQ_DefOutput_File::cls() {}

void ZQ_DefOutput_File::beep(int freq, int millis) {
    if (is_tty() && freq > 0) {
        std::fputc(7, file);
        std::fflush(file);
    }
    if (millis <= 0) return;
    // Sleeping in slices keeps the wait close to the clock.
    const useconds_t slice = static_cast<useconds_t>(millis / 2000 > 0 ? millis / 2000 : 1);
    timeval start{}, now{};
    gettimeofday(&start, nullptr);
    for (;;) {
        gettimeofday(&now, nullptr);
        const long elapsed =
            (now.tv_sec - start.tv_sec) * 1000L + (now.tv_usec - start.tv_usec) / 1000L;
        if (elapsed >= millis) break;
        usleep(slice);
    }
}

void ZQ_DefOutput_File::set_curpos(int, int) {}
void ZQ_DefOutput_File::get_curpos(int*, int*) {}
void ZQ_DefOutput_File::set_color(int, int) {}
void ZQ_DefOutput_File::get_color(int*, int*) {}
void ZQ_DefOutput_File::get_screen_size(int*, int*) {}

int ZQ_DefOutput_File::stdout_change_buffer() {
    // Standard output outlives the channel, so it never gets the channel's buffer.
    if (!file || file == stdout || is_tty()) return 0;
    if (!buffer) buffer = std::make_unique<char[]>(DEF_OUTPUT_BUFFER_SIZE);
    return std::setvbuf(file, buffer.get(), _IOLBF, DEF_OUTPUT_BUFFER_SIZE) == 0;
}

void ZQ_DefOutput_File::set_fp(FILE* fp) {
    close();
    file = fp;
    stdout_change_buffer();
}
