#include "FileReplace.h"

#include "torvio/platform/System.h"

#include <cerrno>
#include <cstring>
#include <random>

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

// Creates a fresh file beside `target`, open for writing.
int CreateTemporary(const std::string &target, std::string &temporary, int &error) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary =
        Folder(target) + "/." + BaseName(target) + ".tmp" + std::to_string(random() % 1000000);
    const int fd = CreateNewFile(temporary.c_str());
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
bool ResolveTarget(const std::string &path, std::string &target, unsigned &permissions,
                   bool &exists, std::string &error) {
  switch (KindOf(path.c_str(), &permissions)) {
  case PathKind::None:
    if (errno != ENOENT) {
      error = SystemError(errno);
      return false;
    }
    target = path;
    exists = false;
    return true;
  case PathKind::Regular:
    target = path;
    exists = true;
    return true;
  case PathKind::Link:
    if (ResolveLinkToRegular(path.c_str(), target, permissions)) {
      exists = true;
      return true;
    }
    if (errno != 0) {
      error = SystemError(errno);
      return false;
    }
    break;
  case PathKind::Other:
    break;
  }
  error = "It is not a regular file (a folder, device, pipe or socket, or a link to one or to "
          "nothing), so it was left alone and nothing was written.";
  return false;
}

} // namespace

Status ReplaceFile(const std::string &path, std::string_view bytes) {
  std::string target;
  unsigned permissions = 0;
  bool exists = false;
  std::string error;
  if (!ResolveTarget(path, target, permissions, exists, error))
    return Failure{error};

  std::string temporary;
  int code = 0;
  const int fd = CreateTemporary(target, temporary, code);
  if (fd < 0)
    return Failure{SystemError(code)};
  bool ok = true;
  if (exists)
    SetPermissions(fd, permissions);
  if (!WriteAll(fd, bytes, code) || !SyncFile(fd)) {
    ok = false;
    if (code == 0)
      code = errno;
  }
  if (!CloseFile(fd) && ok) {
    ok = false;
    code = errno;
  }
  if (ok && !ReplaceWith(temporary.c_str(), target.c_str())) {
    ok = false;
    code = errno;
  }
  if (!ok) {
    RemoveFile(temporary.c_str());
    // A write cut short by a full disk or a file size limit.
    return Failure{IsDiskFull(code) ? "The file could not be written completely (is the disk "
                                      "full?). The previous file was kept."
                                    : SystemError(code)};
  }
  return {};
}

} // namespace torvio
