// Files by their UTF-8 names: the one place that knows how each system
// opens them, makes a fresh private folder, finds the temporary folder, tells
// a full disk and a terminal. POSIX takes the bytes of a name as they are;
// Windows needs the name in UTF-16 and tells text mode (CR LF line ends)
// from binary mode.
#pragma once

#include <cstdio>

namespace torvio {

// How a file's bytes are read or written. Text mode is what C's "r" and "w"
// give: on Windows "\n" is written as CR LF and CR LF read as "\n"; on POSIX
// both modes are the same.
enum class FileMode { Binary, Text };

struct RegularFile {
  int fd = -1;             // open for reading, blocking again; -1 on failure
  int error = 0;           // errno of a failed open or stat
  bool notRegular = false; // a folder, device, pipe or socket
};

} // namespace torvio

#if defined(_WIN32)
#include "torvio/platform/windows/Files.h"
#else
#include "torvio/platform/posix/Files.h"
#endif
