// A folder nothing can be created in. Root ignores permission bits, so for
// root the folder is a read-only tmpfs mounted in a private mount namespace;
// where mounting is impossible it is a path through a regular file, which
// the system refuses just as firmly. Other users get a folder without write
// permission. On Windows, where neither is at hand without administrator
// rights, it is always the path through a regular file.
#pragma once

#include "ScratchFolder.h"

#if !defined(_WIN32)
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <string>

namespace testsupport {

class UnwritableFolder {
public:
  enum class Kind { NoPermission, ReadOnlyMount, UnderRegularFile };

  // `existing` is stored as `existingName` before the folder turns
  // unwritable (in the blocking file when the folder is not a real one).
  UnwritableFolder(const std::string &existingName, const std::string &existing) {
    const std::filesystem::path dir = base_.Path() / "out";
    std::filesystem::create_directory(dir);
#if defined(_WIN32)
    WriteBytes(base_.Path() / "file", existing);
    kind_ = Kind::UnderRegularFile;
    path_ = base_.Path() / "file" / "out";
    (void)existingName;
#else
    if (geteuid() != 0) {
      WriteBytes(dir / existingName, existing);
      chmod(dir.c_str(), 0555);
      kind_ = Kind::NoPermission;
      path_ = dir;
    } else if (MountReadOnly(dir, existingName, existing)) {
      kind_ = Kind::ReadOnlyMount;
      path_ = dir;
    } else {
      WriteBytes(base_.Path() / "file", existing);
      kind_ = Kind::UnderRegularFile;
      path_ = base_.Path() / "file" / "out";
    }
#endif
  }
  ~UnwritableFolder() {
#if !defined(_WIN32)
    if (kind_ == Kind::ReadOnlyMount)
      umount(path_.c_str());
    if (kind_ == Kind::NoPermission)
      chmod(path_.c_str(), 0755);
#endif
  }
  UnwritableFolder(const UnwritableFolder &) = delete;
  UnwritableFolder &operator=(const UnwritableFolder &) = delete;

  Kind GetKind() const {
    return kind_;
  }
  const char *Description() const {
    switch (kind_) {
    case Kind::NoPermission:
      return "folder without write permission";
    case Kind::ReadOnlyMount:
      return "read-only tmpfs";
    case Kind::UnderRegularFile:
      return "path under a regular file";
    }
    return "";
  }
  const std::filesystem::path &Path() const {
    return path_;
  }
  std::string Prefix() const {
    return path_.string() + "/";
  }
  std::filesystem::path Existing(const std::string &existingName) const {
    return kind_ == Kind::UnderRegularFile ? base_.Path() / "file" : path_ / existingName;
  }

private:
#if !defined(_WIN32)
  static bool MountReadOnly(const std::filesystem::path &dir, const std::string &name,
                            const std::string &existing) {
    if (!EnterPrivateMountNamespace() || mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=1m") != 0)
      return false;
    WriteBytes(dir / name, existing);
    if (mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      umount(dir.c_str());
      return false;
    }
    return true;
  }
#endif

  ScratchFolder base_;
  Kind kind_ = Kind::UnderRegularFile;
  std::filesystem::path path_;
};

} // namespace testsupport
