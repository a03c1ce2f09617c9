#include "FolderLock.h"

#include "torvio/platform/System.h"

#include <cerrno>
#include <cstring>
#include <thread>

static_assert(torvio::kNoLock == -1, "FolderLock::Held compares with -1");

namespace torvio {

FolderLock::FolderLock(const std::string &folder, std::chrono::milliseconds patience) {
  const std::string path = folder + kLockName;
  // Never through a link: the lock file is TORVIO's own, in the folder.
  const LockHandle lock = OpenLockFile(path.c_str());
  if (lock == kNoLock) {
    reason_ =
        std::string("the lock file ") + kLockName + " cannot be made: " + std::strerror(errno);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    const LockAttempt attempt = TryLock(lock);
    if (attempt == LockAttempt::Locked) {
      lock_ = lock;
      return;
    }
    if (attempt == LockAttempt::Failed) {
      reason_ =
          std::string("the lock file ") + kLockName + " cannot be locked: " + std::strerror(errno);
      CloseLockFile(lock);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      busy_ = true;
      reason_ = "another generation is writing into this folder";
      CloseLockFile(lock);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

FolderLock::~FolderLock() {
  if (lock_ != kNoLock)
    CloseLockFile(lock_); // closing releases the lock
}

} // namespace torvio
