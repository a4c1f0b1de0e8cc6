// Replacing a file's contents so that a failure midway leaves the old file whole:
// the bytes go to a temporary file in the same directory, which is then renamed over it.
#pragma once

#include <string>
#include <string_view>

enum class WriteResult { ok, cannot_create, write_failed };

// A symbolic link is followed, so the file it points to is replaced and the link stays.
// A new file gets mode 0666 less the umask; an existing one keeps its mode.
WriteResult write_file_atomically(const std::string& path, std::string_view bytes);
