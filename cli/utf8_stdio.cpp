#include "cli/utf8_stdio.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "util/text_encoding.h"

namespace {

struct Reader {
    int fd;
    std::string pending;  // bytes of a sequence cut by the end of a read
};

ssize_t read_latin1(void* cookie, char* buf, size_t size) {
    auto* r = static_cast<Reader*>(cookie);
    for (;;) {
        char raw[4096];
        const ssize_t n = ::read(r->fd, raw, size < sizeof raw ? size : sizeof raw);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        const bool eof = n == 0;
        r->pending.append(raw, static_cast<size_t>(n));
        const auto* bytes = reinterpret_cast<const unsigned char*>(r->pending.data());
        size_t in = 0;
        size_t out = 0;
        while (in < r->pending.size() && out < size) {
            size_t len = utf8_sequence_length(bytes[in]);
            if (in + len > r->pending.size()) {
                if (!eof) break;
                len = 1;
            }
            long cp = utf8_decode(bytes + in, len);
            if (cp < 0) {
                cp = bytes[in];
                len = 1;
            }
            buf[out++] = static_cast<char>(cp > 0xFF ? '?' : cp);
            in += len;
        }
        r->pending.erase(0, in);
        if (out > 0 || eof) return static_cast<ssize_t>(out);
    }
}

int close_reader(void* cookie) {
    delete static_cast<Reader*>(cookie);
    return 0;
}

ssize_t write_utf8(void* cookie, const char* buf, size_t size) {
    const int fd = *static_cast<int*>(cookie);
    const std::string text = latin1_to_utf8(std::string_view(buf, size));
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

int close_writer(void* cookie) {
    delete static_cast<int*>(cookie);
    return 0;
}

}  // namespace

FILE* open_utf8_reader(int fd) {
    auto* r = new Reader{fd, {}};
    cookie_io_functions_t io{read_latin1, nullptr, nullptr, close_reader};
    FILE* f = fopencookie(r, "r", io);
    if (!f) delete r;
    return f;
}

FILE* open_utf8_writer(int fd) {
    auto* cookie = new int(fd);
    cookie_io_functions_t io{nullptr, write_utf8, nullptr, close_writer};
    FILE* f = fopencookie(cookie, "w", io);
    if (!f) delete cookie;
    return f;
}
