#include "app/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string resolve_links(const std::string& path) {
    char buf[PATH_MAX];
    return realpath(path.c_str(), buf) ? std::string(buf) : path;
}

mode_t mode_for(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

WriteResult write_file_atomically(const std::string& path, std::string_view bytes) {
    const std::string target = resolve_links(path);
    // Renaming would replace a file the user may not write; refuse it as opening it would.
    if (access(target.c_str(), F_OK) == 0 && access(target.c_str(), W_OK) != 0)
        return WriteResult::cannot_create;
    std::string tmp = target + ".XXXXXX";
    const int fd = mkstemp(tmp.data());
    if (fd < 0) return WriteResult::cannot_create;
    const bool written =
        fchmod(fd, mode_for(target)) == 0 && write_all(fd, bytes) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed || rename(tmp.c_str(), target.c_str()) != 0) {
        unlink(tmp.c_str());
        return WriteResult::write_failed;
    }
    return WriteResult::ok;
}
