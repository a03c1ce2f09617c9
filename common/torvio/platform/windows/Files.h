// Windows: names go to the C runtime's wide functions in UTF-16, as the
// narrow ones read them in the ANSI code page; reading and writing follow
// the text or binary mode asked for.
#pragma once

#include <cerrno>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <string>
#include <sys/stat.h>

namespace torvio {

namespace detail {

// The UTF-16 name of a UTF-8 path; false when the bytes are no UTF-8.
inline bool WidePath(const char *path, std::wstring &wide) {
  try {
    const std::string bytes(path);
    wide = std::filesystem::path(std::u8string(bytes.begin(), bytes.end())).wstring();
    return true;
  } catch (const std::exception &) {
    return false;
  }
}

} // namespace detail

// Opens `path` for reading only when it is a regular file: a folder opens
// nowhere on Windows, so it is told apart before the open, as on POSIX.
inline RegularFile OpenRegularFile(const char *path, FileMode mode = FileMode::Binary) {
  RegularFile f;
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    f.error = EINVAL;
    return f;
  }
  struct _stat64 status {};
  if (::_wstat64(wide.c_str(), &status) == 0 && (status.st_mode & _S_IFMT) != _S_IFREG) {
    f.notRegular = true;
    return f;
  }
  const int flags = _O_RDONLY | _O_NOINHERIT | (mode == FileMode::Text ? _O_TEXT : _O_BINARY);
  const int fd = ::_wopen(wide.c_str(), flags);
  if (fd < 0) {
    f.error = errno;
    return f;
  }
  if (::_fstat64(fd, &status) != 0) {
    f.error = errno;
    ::_close(fd);
    return f;
  }
  if ((status.st_mode & _S_IFMT) != _S_IFREG) {
    f.notRegular = true;
    ::_close(fd);
    return f;
  }
  f.fd = fd;
  return f;
}

// std::fopen with a UTF-8 name; `mode` as for std::fopen ("w", "rb", ...).
inline std::FILE *OpenFile(const char *path, const char *mode) {
  std::wstring wide;
  std::wstring wideMode;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return nullptr;
  }
  for (const char *c = mode; *c; ++c)
    wideMode.push_back(static_cast<wchar_t>(*c));
  return ::_wfopen(wide.c_str(), wideMode.c_str());
}

} // namespace torvio
