// Windows: MoveFileExW and ReplaceFileW replace a name in one step,
// FlushFileBuffers syncs, LockFileEx locks a byte of the lock file, the
// process's module list names the loaded DLL, and the UTF-16 command line
// is turned into UTF-8. Failures are told as errno values, as on POSIX.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// windows.h names ReplaceFileA or ReplaceFileW by this macro; TORVIO has its
// own ReplaceFile (project/FileReplace.h) and calls ReplaceFileW by name.
#undef ReplaceFile

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <direct.h>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <vector>

namespace torvio {

namespace detail {

// Sets errno from a Win32 error code, for the callers' strerror.
inline void SetErrno(DWORD code) {
  switch (code) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE:
    errno = ENOENT;
    break;
  case ERROR_ACCESS_DENIED:
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
    errno = EACCES;
    break;
  case ERROR_FILE_EXISTS:
  case ERROR_ALREADY_EXISTS:
    errno = EEXIST;
    break;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    errno = ENOSPC;
    break;
  case ERROR_NOT_SAME_DEVICE:
    errno = EXDEV;
    break;
  case ERROR_FILENAME_EXCED_RANGE:
    errno = ENAMETOOLONG;
    break;
  default:
    errno = EIO;
  }
}

// UTF-8 of a UTF-16 text (unpaired surrogates become U+FFFD).
inline std::string Utf8(std::wstring_view wide) {
  if (wide.empty())
    return {};
  const int size = static_cast<int>(wide.size());
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), n, nullptr, nullptr);
  return text;
}

} // namespace detail

// What `path` is, not following a last link (a reparse point); None with
// errno set when it cannot be told (ENOENT when there is nothing). Windows
// keeps no POSIX permissions, so `permissions` is left alone.
inline PathKind KindOf(const char *path, unsigned * = nullptr) {
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return PathKind::None;
  }
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(wide, ec);
  if (ec || status.type() == std::filesystem::file_type::not_found) {
    errno = status.type() == std::filesystem::file_type::not_found ? ENOENT : EIO;
    return PathKind::None;
  }
  switch (status.type()) {
  case std::filesystem::file_type::regular:
    return PathKind::Regular;
  case std::filesystem::file_type::symlink:
    return PathKind::Link;
  default:
    return PathKind::Other;
  }
}

// Whether `path` is a regular file or a link to one.
inline bool IsRegularFile(const char *path) {
  std::wstring wide;
  std::error_code ec;
  return detail::WidePath(path, wide) && std::filesystem::is_regular_file(wide, ec);
}

// Whether files may be made in the folder `path`; false with errno set.
// The C runtime tells only the read-only attribute, not the access list: a
// refused write is still reported when it happens.
inline bool CanWriteInFolder(const char *path) {
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return false;
  }
  return ::_waccess(wide.c_str(), 2) == 0;
}

// The final path of the regular file the link `path` leads to; false when
// it leads elsewhere or nowhere (errno 0), or cannot be resolved (errno set).
inline bool ResolveLinkToRegular(const char *path, std::string &target, unsigned &) {
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::is_regular_file(wide, ec)) {
    errno = 0;
    return false;
  }
  const auto real = std::filesystem::canonical(wide, ec);
  if (ec) {
    errno = EIO;
    return false;
  }
  const std::u8string text = real.u8string();
  target.assign(text.begin(), text.end());
  return true;
}

// Creates `path`, which must not exist, open for writing in binary mode;
// -1 with errno set.
inline int CreateNewFile(const char *path) {
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return -1;
  }
  return ::_wopen(wide.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                  _S_IREAD | _S_IWRITE);
}

// Nothing: ReplaceWith keeps the old file's attributes and access list.
inline void SetPermissions(int, unsigned) {}

// Writes all of `bytes`; false with the errno in `error`.
inline bool WriteAll(int fd, std::string_view bytes, int &error) {
  while (!bytes.empty()) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 30));
    const int n = ::_write(fd, bytes.data(), chunk);
    if (n < 0) {
      error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Puts what was written to `fd` on the disk; false with errno set.
inline bool SyncFile(int fd) {
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return false;
  }
  if (::FlushFileBuffers(handle))
    return true;
  detail::SetErrno(::GetLastError());
  return false;
}

inline bool CloseFile(int fd) {
  return ::_close(fd) == 0;
}

inline bool RemoveFile(const char *path) {
  std::wstring wide;
  return detail::WidePath(path, wide) && ::_wunlink(wide.c_str()) == 0;
}

inline bool RemoveFolder(const char *path) {
  std::wstring wide;
  return detail::WidePath(path, wide) && ::_wrmdir(wide.c_str()) == 0;
}

// Renames `from` to `to`, replacing a file `to` in one step (rename() of the
// C runtime refuses when `to` exists); false with errno set.
inline bool RenameOver(const char *from, const char *to) {
  std::wstring wideFrom, wideTo;
  if (!detail::WidePath(from, wideFrom) || !detail::WidePath(to, wideTo)) {
    errno = EINVAL;
    return false;
  }
  if (::MoveFileExW(wideFrom.c_str(), wideTo.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  detail::SetErrno(::GetLastError());
  return false;
}

// Puts the written file `from` in the place of the file `to`: ReplaceFileW
// when `to` exists, which keeps its attributes and access list as POSIX
// keeps the permissions; a plain rename when it does not.
inline bool ReplaceWith(const char *from, const char *to) {
  std::wstring wideFrom, wideTo;
  if (!detail::WidePath(from, wideFrom) || !detail::WidePath(to, wideTo)) {
    errno = EINVAL;
    return false;
  }
  if (::GetFileAttributesW(wideTo.c_str()) == INVALID_FILE_ATTRIBUTES)
    return RenameOver(from, to);
  if (::ReplaceFileW(wideTo.c_str(), wideFrom.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
    return true;
  detail::SetErrno(::GetLastError());
  return false;
}

// Opens (making it when needed) the lock file `path`, not through a link;
// kNoLock with errno set. Others may open it too; the lock is what counts.
inline LockHandle OpenLockFile(const char *path) {
  std::wstring wide;
  if (!detail::WidePath(path, wide)) {
    errno = EINVAL;
    return kNoLock;
  }
  const HANDLE handle =
      ::CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    detail::SetErrno(::GetLastError());
    return kNoLock;
  }
  return reinterpret_cast<LockHandle>(handle);
}

// Takes the exclusive lock on the file's first byte without waiting. The
// lock belongs to the handle, so a second handle in the same process is
// refused as another process is.
inline LockAttempt TryLock(LockHandle lock) {
  OVERLAPPED at{};
  if (::LockFileEx(reinterpret_cast<HANDLE>(lock),
                   LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at))
    return LockAttempt::Locked;
  const DWORD code = ::GetLastError();
  if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING)
    return LockAttempt::Busy;
  detail::SetErrno(code);
  return LockAttempt::Failed;
}

// Closing the handle releases the lock.
inline void CloseLockFile(LockHandle lock) {
  ::CloseHandle(reinterpret_cast<HANDLE>(lock));
}

// The path of the loaded module whose file name starts with `prefix`
// (for example "PARVEX.dll"), compared without case as Windows names are;
// empty when none is loaded.
inline std::string LoadedModuleFile(const std::string &prefix) {
  const auto lower = [](std::wstring text) {
    for (wchar_t &c : text)
      c = static_cast<wchar_t>(std::towlower(c));
    return text;
  };
  std::wstring widePrefix;
  if (!detail::WidePath(prefix.c_str(), widePrefix))
    return {};
  widePrefix = lower(widePrefix);
  std::vector<HMODULE> modules(256);
  DWORD needed = 0;
  const HANDLE process = ::GetCurrentProcess();
  for (;;) {
    const auto bytes = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
    if (!::K32EnumProcessModules(process, modules.data(), bytes, &needed))
      return {};
    if (needed <= bytes)
      break;
    modules.resize(needed / sizeof(HMODULE));
  }
  modules.resize(needed / sizeof(HMODULE));
  std::wstring name(32768, L'\0');
  for (const HMODULE module : modules) {
    const DWORD n = ::GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0 || n >= name.size())
      continue;
    const std::wstring path(name.data(), n);
    const std::wstring file = lower(std::filesystem::path(path).filename().wstring());
    if (file.compare(0, widePrefix.size(), widePrefix) == 0)
      return detail::Utf8(path);
  }
  return {};
}

// The program's arguments, argv[0] first, in UTF-8: taken from the UTF-16
// command line, as `argv` holds them in the ANSI code page and loses what
// it cannot show.
inline std::vector<std::string> ProgramArguments(int argc, char *argv[]) {
  int count = 0;
  LPWSTR *wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide)
    return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i)
    arguments.push_back(detail::Utf8(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

} // namespace torvio
