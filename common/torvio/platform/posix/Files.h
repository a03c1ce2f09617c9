// POSIX: names are bytes, and text mode is binary mode.
#pragma once

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvio {

// Opens `path` for reading only when it is a regular file. A pipe in its
// place would block the open until a writer comes, and a device may never
// end, so the open does not block and the check is made on the descriptor.
inline RegularFile OpenRegularFile(const char *path, FileMode = FileMode::Binary) {
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

// std::fopen with a UTF-8 name; `mode` as for std::fopen ("w", "rb", ...).
inline std::FILE *OpenFile(const char *path, const char *mode) {
  return std::fopen(path, mode);
}

} // namespace torvio
