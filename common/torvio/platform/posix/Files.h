// POSIX: names are bytes, and text mode is binary mode.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
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

// Makes a new folder named `pattern` with its trailing "XXXXXX" replaced,
// readable only by its owner, and writes the name into `pattern`. False
// with errno set when it cannot.
inline bool MakeFreshFolder(std::string &pattern) {
  return ::mkdtemp(pattern.data()) != nullptr;
}

// The folder for temporary files, without a trailing separator.
inline std::string TemporaryFolder() {
  const char *tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? tmp : "/tmp";
}

// Whether a failed write's errno means that the disk or the user's share of
// it is full, or a file size limit was reached.
inline bool IsDiskFull(int error) {
#if defined(EDQUOT)
  if (error == EDQUOT)
    return true;
#endif
  return error == ENOSPC || error == EFBIG;
}

// Whether `stream` is a terminal (for colours and progress).
inline bool IsTerminal(std::FILE *stream) {
  return ::isatty(::fileno(stream)) == 1;
}

} // namespace torvio
