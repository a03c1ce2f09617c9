// POSIX: rename(2) replaces a name in one step, flock(2) locks, and the
// loader's list of objects names the loaded library.
#pragma once

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <link.h>
#include <string>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace torvio {

// What `path` is; None with errno set when it cannot be told (ENOENT when
// there is nothing). A regular file's permissions go to `permissions`.
inline PathKind KindOf(const char *path, unsigned *permissions = nullptr) {
  struct stat link {};
  if (::lstat(path, &link) != 0)
    return PathKind::None;
  if (S_ISREG(link.st_mode)) {
    if (permissions)
      *permissions = link.st_mode & 07777;
    return PathKind::Regular;
  }
  return S_ISLNK(link.st_mode) ? PathKind::Link : PathKind::Other;
}

// Whether `path` is a regular file or a link to one.
inline bool IsRegularFile(const char *path) {
  struct stat s {};
  return ::stat(path, &s) == 0 && S_ISREG(s.st_mode);
}

// Whether files may be made in the folder `path`; false with errno set.
inline bool CanWriteInFolder(const char *path) {
  return ::access(path, W_OK | X_OK) == 0;
}

// The real path of the regular file the link `path` leads to, and its
// permissions; false when it leads elsewhere or nowhere (errno set when
// resolving it failed).
inline bool ResolveLinkToRegular(const char *path, std::string &target, unsigned &permissions) {
  struct stat existing {};
  if (::stat(path, &existing) != 0 || !S_ISREG(existing.st_mode)) {
    errno = 0;
    return false;
  }
  char resolved[PATH_MAX];
  if (!::realpath(path, resolved))
    return false;
  target = resolved;
  permissions = existing.st_mode & 07777;
  return true;
}

// Creates `path`, which must not exist, open for writing; -1 with errno set.
inline int CreateNewFile(const char *path) {
  return ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// Gives the file open as `fd` the permissions of the file it will replace.
inline void SetPermissions(int fd, unsigned permissions) {
  ::fchmod(fd, permissions);
}

// Writes all of `bytes`; false with the errno in `error`.
inline bool WriteAll(int fd, std::string_view bytes, int &error) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR)
        continue;
      error = errno;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Puts what was written to `fd` on the disk; false with errno set.
inline bool SyncFile(int fd) {
  return ::fsync(fd) == 0;
}

inline bool CloseFile(int fd) {
  return ::close(fd) == 0;
}

inline bool RemoveFile(const char *path) {
  return ::unlink(path) == 0;
}

inline bool RemoveFolder(const char *path) {
  return ::rmdir(path) == 0;
}

// Renames `from` to `to`, replacing whatever file or link `to` is, in one
// step; false with errno set.
inline bool RenameOver(const char *from, const char *to) {
  return ::rename(from, to) == 0;
}

// Puts the written file `from` in the place of the file `to`, keeping what
// the system keeps of the old file's identity (here nothing: its
// permissions were given with SetPermissions).
inline bool ReplaceWith(const char *from, const char *to) {
  return RenameOver(from, to);
}

// Opens (making it when needed) the lock file `path`, never through a link;
// kNoLock with errno set.
inline LockHandle OpenLockFile(const char *path) {
  return ::open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
}

// Takes the exclusive lock without waiting. Busy when another holder has it
// (or a signal came between); Failed with errno set otherwise.
inline LockAttempt TryLock(LockHandle lock) {
  if (::flock(static_cast<int>(lock), LOCK_EX | LOCK_NB) == 0)
    return LockAttempt::Locked;
  return errno == EWOULDBLOCK || errno == EINTR ? LockAttempt::Busy : LockAttempt::Failed;
}

// Closing releases the lock.
inline void CloseLockFile(LockHandle lock) {
  ::close(static_cast<int>(lock));
}

// The real path of the loaded object whose file name starts with `prefix`
// (for example "libparvex.so"); empty when none is loaded.
inline std::string LoadedModuleFile(const std::string &prefix) {
  struct Search {
    const std::string *prefix;
    std::string path;
  } search{&prefix, {}};
  dl_iterate_phdr(
      [](dl_phdr_info *info, std::size_t, void *data) -> int {
        auto *s = static_cast<Search *>(data);
        if (!info->dlpi_name || !*info->dlpi_name) {
          return 0;
        }
        const std::string name = std::filesystem::path(info->dlpi_name).filename().string();
        if (name.compare(0, s->prefix->size(), *s->prefix) == 0) {
          s->path = info->dlpi_name;
          return 1;
        }
        return 0;
      },
      &search);
  if (search.path.empty()) {
    return {};
  }
  std::error_code error;
  const auto real = std::filesystem::canonical(search.path, error);
  return error ? search.path : real.string();
}

// The program's arguments, argv[0] first, as the bytes the user gave.
inline std::vector<std::string> ProgramArguments(int argc, char *argv[]) {
  return std::vector<std::string>(argv, argv + argc);
}

} // namespace torvio
