// One generation at a time per output folder: an advisory lock on a lock
// file inside it (".torvio-generation.lock"), held while the run lasts.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace torvio {

inline constexpr const char *kLockName = ".torvio-generation.lock";

class FolderLock {
public:
  // Waits up to `patience` for the lock of `folder` (a prefix ending with
  // "/"); Held() tells whether it was had, Reason() why not.
  FolderLock(const std::string &folder, std::chrono::milliseconds patience);
  ~FolderLock();
  FolderLock(const FolderLock &) = delete;
  FolderLock &operator=(const FolderLock &) = delete;

  bool Held() const { return lock_ != -1; }
  // Another run holds the folder (as opposed to a lock that cannot be made).
  bool Busy() const { return busy_; }
  const std::string &Reason() const { return reason_; }

private:
  // The platform's LockHandle (kNoLock is -1); its header, which brings
  // windows.h on Windows, stays out of this one.
  std::intptr_t lock_ = -1;
  bool busy_ = false;
  std::string reason_;
};

} // namespace torvio
