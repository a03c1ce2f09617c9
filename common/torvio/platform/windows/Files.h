// Windows: names go to the C runtime's wide functions in UTF-16, as the
// narrow ones read them in the ANSI code page; reading and writing follow
// the text or binary mode asked for.
#pragma once

#include <cerrno>
#include <cstdio>
#include <direct.h>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <system_error>

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

// Makes a new folder named `pattern` with its trailing "XXXXXX" replaced by
// random letters and digits, and writes the name into `pattern`. False with
// errno set when it cannot. (Windows has no mkdtemp.)
inline bool MakeFreshFolder(std::string &pattern) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  const std::size_t n = pattern.size();
  if (n < 6 || pattern.compare(n - 6, 6, "XXXXXX") != 0) {
    errno = EINVAL;
    return false;
  }
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = pattern;
    for (std::size_t i = n - 6; i < n; ++i)
      name[i] = kLetters[random() % (sizeof kLetters - 1)];
    std::wstring wide;
    if (!detail::WidePath(name.c_str(), wide)) {
      errno = EINVAL;
      return false;
    }
    if (::_wmkdir(wide.c_str()) == 0) {
      pattern = name;
      return true;
    }
    if (errno != EEXIST)
      return false;
  }
  errno = EEXIST;
  return false;
}

// The folder for temporary files (TMP, TEMP or the user's), as UTF-8,
// without a trailing separator.
inline std::string TemporaryFolder() {
  std::error_code ec;
  const std::u8string text = std::filesystem::temp_directory_path(ec).u8string();
  std::string folder(text.begin(), text.end());
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
    folder.pop_back();
  return folder;
}

// Whether a failed write's errno means that the disk is full or a file
// size limit was reached (the C runtime has no EDQUOT).
inline bool IsDiskFull(int error) {
  return error == ENOSPC || error == EFBIG;
}

// Whether `stream` is a console (for colours and progress).
inline bool IsTerminal(std::FILE *stream) {
  return ::_isatty(::_fileno(stream)) != 0;
}

} // namespace torvio
