#include "util/filenames.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool is_sep(char c) {
    return c == '/' || c == '\\';
}

bool is_drive_letter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || std::strchr("[\\]^_`", c) != nullptr;
}

void clear(char* s) {
    if (s) *s = '\0';
}

// Copies n bytes of src into dst (size bytes) when they fit with the terminator.
bool put(char* dst, std::size_t size, const char* src, std::size_t n) {
    if (!dst) return true;
    if (n >= size) return false;
    std::memcpy(dst, src, n);
    dst[n] = '\0';
    return true;
}

bool put_out(char* out, const std::string& s) {
    if (put(out, FN_MAXPATH, s.data(), s.size())) return true;
    clear(out);
    return false;
}

}  // namespace

int fnsplit(const char* path, char* drive, char* dir, char* name, char* ext) {
    clear(drive);
    clear(dir);
    clear(name);
    clear(ext);
    int bits = 0;
    const char* p = path;
    bool ok = true;
    if (p[0] && is_drive_letter(p[0]) && p[1] == ':') {
        ok = put(drive, FN_MAXDRIVE, p, 2);
        bits |= FN_DRIVE;
        p += 2;
    }
    const char* last_sep = nullptr;
    for (const char* q = p; *q; ++q)
        if (is_sep(*q)) last_sep = q;
    if (last_sep) {
        ok = ok && put(dir, FN_MAXDIR, p, last_sep + 1 - p);
        bits |= FN_DIRECTORY;
        p = last_sep + 1;
    }
    const char* rest = p;
    while (*rest == '.') ++rest;
    const char* dot = std::strrchr(rest, '.');
    const char* name_end = dot ? dot : rest + std::strlen(rest);
    if (dot) {
        ok = ok && put(ext, FN_MAXEXT, dot, std::strlen(dot));
        bits |= FN_EXTENSION;
    }
    if (name_end > p) {
        ok = ok && put(name, FN_MAXFILE, p, name_end - p);
        bits |= FN_FILENAME;
    }
    if (std::strpbrk(path, "*?[")) bits |= FN_WILDCARDS;
    if (ok) return bits;
    clear(drive);
    clear(dir);
    clear(name);
    clear(ext);
    return -1;
}

bool fnmerge(char* out, const char* drive, const char* dir, const char* name, const char* ext) {
    std::string s;
    if (drive && *drive) {
        s += drive[0];
        s += ':';
    }
    if (dir && *dir) {
        s += dir;
        if (!is_sep(s.back())) s += std::strchr(dir, '\\') ? '\\' : '/';
    }
    if (name) s += name;
    if (ext && *ext) {
        if (ext[0] != '.') s += '.';
        s += ext;
    }
    return put_out(out, s);
}

bool change_extension(char* out, const char* path, const char* ext, int force) {
    char drive[FN_MAXDRIVE], dir[FN_MAXDIR], name[FN_MAXFILE], old_ext[FN_MAXEXT];
    const int bits = fnsplit(path, drive, dir, name, old_ext);
    if (bits < 0 || std::strlen(ext) >= FN_MAXEXT) {
        clear(out);
        return false;
    }
    if (!force && (bits & FN_EXTENSION)) return put_out(out, path);
    return fnmerge(out, drive, dir, name, ext);
}

bool expand_fname(const char* path, char* out) {
    std::vector<std::string> parts;
    auto add_components = [&parts](const char* s) {
        std::string comp;
        auto flush = [&] {
            if (comp == "..") {
                if (!parts.empty()) parts.pop_back();
            } else if (!comp.empty() && comp != ".") {
                parts.push_back(comp);
            }
            comp.clear();
        };
        for (; *s; ++s) {
            if (is_sep(*s))
                flush();
            else
                comp += *s;  // bytes are copied whole, so multi-byte characters survive
        }
        flush();
    };
    if (!is_sep(path[0])) {
        char cwd[FN_MAXPATH];
        if (!getcwd(cwd, sizeof cwd)) {
            clear(out);
            return false;
        }
        add_components(cwd);
    }
    add_components(path);
    std::string s;
    for (const std::string& p : parts) s += "/" + p;
    if (s.empty()) s.push_back('/');
    return put_out(out, s);
}

bool file_exists(const char* path) {
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}

bool file_is_writable(const char* path) {
    if (access(path, F_OK) == 0) {
        // Opening without O_TRUNC keeps the contents; O_NONBLOCK keeps a FIFO from hanging.
        const int fd = open(path, O_WRONLY | O_NONBLOCK);
        if (fd < 0) return false;
        ::close(fd);
        return true;
    }
    char dir[FN_MAXDIR];
    char drive[FN_MAXDRIVE];
    if (fnsplit(path, drive, dir, nullptr, nullptr) < 0) return false;
    if (!*dir) return access(".", W_OK | X_OK) == 0;
    return access(dir, W_OK | X_OK) == 0;
}
