#pragma once

#include <cstdio>

// Streams over a file descriptor that convert on the fly, for a terminal that speaks UTF-8:
// the reader turns UTF-8 into Latin-1 (characters beyond Latin-1 become '?', bytes that are
// not UTF-8 pass unchanged), the writer turns Latin-1 into UTF-8. Closing the stream leaves
// the descriptor open. Null if the stream cannot be made.
FILE* open_utf8_reader(int fd);
FILE* open_utf8_writer(int fd);
