#include "FolderLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace torvio {

FolderLock::FolderLock(const std::string &folder, std::chrono::milliseconds patience) {
  const std::string path = folder + kLockName;
  // Never through a link: the lock file is TORVIO's own, in the folder.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0) {
    reason_ =
        std::string("the lock file ") + kLockName + " cannot be made: " + std::strerror(errno);
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      reason_ =
          std::string("the lock file ") + kLockName + " cannot be locked: " + std::strerror(errno);
      ::close(fd);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      busy_ = true;
      reason_ = "another generation is writing into this folder";
      ::close(fd);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0)
    ::close(fd_); // closing releases the lock
}

} // namespace torvio
