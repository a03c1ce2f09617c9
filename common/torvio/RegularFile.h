// Opening a file for reading only when it is a regular file. A pipe in its
// place would block the open until a writer comes, and a device may never
// end, so the open does not block and the check is made on the descriptor.
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace torvio {

struct RegularFile {
  int fd = -1;             // open for reading, blocking again; -1 on failure
  int error = 0;           // errno of a failed open or stat
  bool notRegular = false; // opened, but a folder, device, pipe or socket
};

inline RegularFile OpenRegularFile(const char *path) {
  RegularFile f;
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    f.error = errno;
    return f;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    f.error = errno;
    ::close(fd);
    return f;
  }
  if (!S_ISREG(status.st_mode)) {
    f.notRegular = true;
    ::close(fd);
    return f;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0)
    ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  f.fd = fd;
  return f;
}

// Reads `fd` to its end, or to `limit` bytes when it is longer: a caller that
// accepts at most N bytes passes N + 1 to tell a file that is too large.
// Returns 0, or the errno of a failed read (`bytes` then holds what came).
inline int ReadAtMost(int fd, std::size_t limit, std::string &bytes) {
  bytes.clear();
  char buffer[65536];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
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
