#pragma once

#include <cstddef>

// Bits of the fnsplit result.
enum {
    FN_WILDCARDS = 1,
    FN_EXTENSION = 2,
    FN_FILENAME = 4,
    FN_DIRECTORY = 8,
    FN_DRIVE = 16,
};

// Buffer sizes, terminator included. A full path (fnmerge, change_extension, expand_fname
// outputs) takes at most FN_MAXPATH bytes.
constexpr std::size_t FN_MAXDRIVE = 3;
constexpr std::size_t FN_MAXDIR = 4096;
constexpr std::size_t FN_MAXFILE = 4096;
constexpr std::size_t FN_MAXEXT = 16;
constexpr std::size_t FN_MAXPATH = 4096;

// Splits path into drive ("X:"), directory (with its final separator), name and extension
// (with its dot); any output may be null, every other is set first to "". Both '/' and '\\'
// separate directories. A part longer than its buffer is refused: the result is -1 and every
// output is left empty.
int fnsplit(const char* path, char* drive, char* dir, char* name, char* ext);
// Joins the parts into out (FN_MAXPATH bytes); any part may be null. false (out empty) when
// the result would not fit.
bool fnmerge(char* out, const char* drive, const char* dir, const char* name, const char* ext);
// out (FN_MAXPATH bytes) := path with its extension replaced by ext; with force 0 a path that
// already has an extension is kept. false (out empty) when a part does not fit.
bool change_extension(char* out, const char* path, const char* ext, int force);
// out (FN_MAXPATH bytes) := absolute canonical form of path, '/' separators, no trailing
// separator. false (out empty) when it would not fit or the working directory is unknown.
bool expand_fname(const char* path, char* out);
// Whether the file can be opened for reading.
bool file_exists(const char* path);
// Whether the file can be opened for writing; a missing file is judged by its directory and
// is not created.
bool file_is_writable(const char* path);
