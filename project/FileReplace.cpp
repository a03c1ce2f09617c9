#include "FileReplace.h"

#include "torvio/platform/Files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace torvio {

namespace {

std::string SystemError(int error) {
  return std::strerror(error);
}

std::string Folder(const std::string &path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string &path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, std::string_view bytes, int &error) {
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

// Creates a fresh file beside `target`, open for writing.
int CreateTemporary(const std::string &target, std::string &temporary, int &error) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary =
        Folder(target) + "/." + BaseName(target) + ".tmp" + std::to_string(random() % 1000000);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
      return fd;
    if (errno != EEXIST) {
      error = errno;
      return -1;
    }
  }
  error = EEXIST;
  return -1;
}

// The regular file `path` names, following a symbolic link; empty with the
// reason in `error` when it names something else.
bool ResolveTarget(const std::string &path, std::string &target, struct stat &existing,
                   bool &exists, std::string &error) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0) {
    if (errno != ENOENT) {
      error = SystemError(errno);
      return false;
    }
    target = path;
    exists = false;
    return true;
  }
  if (S_ISREG(link.st_mode)) {
    target = path;
    existing = link;
    exists = true;
    return true;
  }
  if (S_ISLNK(link.st_mode) && ::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) {
      error = SystemError(errno);
      return false;
    }
    target = resolved;
    exists = true;
    return true;
  }
  error = "It is not a regular file (a folder, device, pipe or socket, or a link to one or to "
          "nothing), so it was left alone and nothing was written.";
  return false;
}

} // namespace

bool ReplaceFile(const std::string &path, std::string_view bytes, std::string &error) {
  std::string target;
  struct stat existing {};
  bool exists = false;
  if (!ResolveTarget(path, target, existing, exists, error))
    return false;

  std::string temporary;
  int code = 0;
  const int fd = CreateTemporary(target, temporary, code);
  if (fd < 0) {
    error = SystemError(code);
    return false;
  }
  bool ok = true;
  if (exists)
    ::fchmod(fd, existing.st_mode & 07777);
  if (!WriteAll(fd, bytes, code) || ::fsync(fd) != 0) {
    ok = false;
    if (code == 0)
      code = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    code = errno;
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    // A write cut short by a full disk or a file size limit.
    error = IsDiskFull(code)
                ? "The file could not be written completely (is the disk full?). The previous "
                  "file was kept."
                : SystemError(code);
  }
  return ok;
}

} // namespace torvio
