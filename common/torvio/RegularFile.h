// Opening a file for reading only when it is a regular file (the platform's
// part in torvio/platform/Files.h), and reading it whole.
#pragma once

#include "torvio/platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <string>
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace torvio {

// Reads `fd` to its end, or to `limit` bytes when it is longer: a caller that
// accepts at most N bytes passes N + 1 to tell a file that is too large.
// Returns 0, or the errno of a failed read (`bytes` then holds what came).
inline int ReadAtMost(int fd, std::size_t limit, std::string &bytes) {
  bytes.clear();
  char buffer[65536];
  while (bytes.size() < limit) {
    const auto n =
        ::read(fd, buffer, static_cast<unsigned>(std::min(sizeof buffer, limit - bytes.size())));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    if (n == 0)
      break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return 0;
}

} // namespace torvio
