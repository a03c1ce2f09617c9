// A folder on a full disk, for save-path tests. As root: a small tmpfs in a
// private mount namespace, filled to the last block, so writes fail with "No
// space left on device". Otherwise: the process's file size limit is lowered
// (and SIGXFSZ ignored) so that any write past `limit` bytes fails; the limit
// is restored when the object goes away. Either way the write error comes
// from the system, through the real save path. Neither way exists on Windows
// without administrator rights: there Possible() is false and tests skip.
#pragma once

#include "ScratchFolder.h"

#if defined(_WIN32)

#include <filesystem>
#include <string>

namespace testsupport {

class FullDisk {
public:
  enum class Kind { FullTmpfs, FileSizeLimit };
  static constexpr bool Possible() { return false; }
  static constexpr const char *WhyNot() {
    return "Windows offers no unprivileged way to fill a disk or limit a file's size";
  }
  FullDisk(const std::string &, const std::string &, Kind = Kind::FullTmpfs, long = 512) {}
  void Release() {}
  Kind GetKind() const { return Kind::FileSizeLimit; }
  const char *Description() const { return "none"; }
  const std::filesystem::path &Path() const { return base_.Path(); }

private:
  ScratchFolder base_;
};

} // namespace testsupport

#else

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

class FullDisk {
public:
  enum class Kind { FullTmpfs, FileSizeLimit };
  static constexpr bool Possible() { return true; }
  static constexpr const char *WhyNot() { return ""; }

  // `existing` is stored as `existingName` while there is still room. The
  // full tmpfs is used when `wanted` asks for it and mounting is possible.
  FullDisk(const std::string &existingName, const std::string &existing,
           Kind wanted = Kind::FullTmpfs, rlim_t limit = 512) {
    path_ = base_.Path() / "disk";
    std::filesystem::create_directory(path_);
    if (wanted == Kind::FullTmpfs && geteuid() == 0 && EnterPrivateMountNamespace() &&
        mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0) {
      mounted_ = true;
      kind_ = Kind::FullTmpfs;
      WriteBytes(path_ / existingName, existing);
      Fill();
    } else {
      kind_ = Kind::FileSizeLimit;
      WriteBytes(path_ / existingName, existing);
      getrlimit(RLIMIT_FSIZE, &saved_);
      previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
      rlimit lowered = saved_;
      lowered.rlim_cur = limit;
      setrlimit(RLIMIT_FSIZE, &lowered);
      limited_ = true;
    }
  }
  ~FullDisk() {
    Release();
    if (mounted_)
      umount(path_.c_str());
  }
  FullDisk(const FullDisk &) = delete;
  FullDisk &operator=(const FullDisk &) = delete;

  // Ends the shortage: the limit is lifted, or the filler removed.
  void Release() {
    if (limited_) {
      setrlimit(RLIMIT_FSIZE, &saved_);
      std::signal(SIGXFSZ, previousHandler_);
      limited_ = false;
    }
    if (mounted_) {
      std::error_code ec;
      std::filesystem::remove(path_ / "filler", ec);
    }
  }

  Kind GetKind() const { return kind_; }
  const char *Description() const {
    return kind_ == Kind::FullTmpfs ? "full tmpfs" : "file size limit";
  }
  const std::filesystem::path &Path() const { return path_; }

private:
  void Fill() {
    std::ofstream filler(path_ / "filler", std::ios::binary);
    const std::string block(4096, '\0');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) &&
           filler.flush()) {
    }
    // The last partial block, byte by byte.
    filler.clear();
    while (filler.put('\0') && filler.flush()) {
    }
  }

  ScratchFolder base_;
  Kind kind_ = Kind::FileSizeLimit;
  std::filesystem::path path_;
  bool mounted_ = false;
  bool limited_ = false;
  rlimit saved_{};
  void (*previousHandler_)(int) = SIG_DFL;
};

} // namespace testsupport

#endif
