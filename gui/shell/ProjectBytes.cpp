#include "ProjectBytes.h"

#include "ProjectFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvio {

namespace {

QString SystemError(int error) {
  return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

bool ReadProjectBytes(const QString &path, QByteArray &bytes, QString &error) {
  // Opened without blocking and checked on the open descriptor, so that a
  // pipe put in the file's place cannot hang the caller.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = SystemError(errno);
    return false;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int reason = errno;
    ::close(fd);
    error = SystemError(reason);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    error = QStringLiteral(
        "This is not a regular file: a folder, device or pipe cannot be a project file.");
    return false;
  }
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    error = file.errorString();
    return false;
  }
  bytes = file.read(static_cast<qint64>(kMaxProjectFileSize) + 1);
  if (file.error() != QFileDevice::NoError) {
    error = file.errorString();
    return false;
  }
  return true;
}

} // namespace torvio
