#include "ProjectLoader.h"

#include "ProjectFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

// A write cut short by the system may carry no error text of its own.
QString WriteFailure(const QSaveFile &file) {
  const QString reason = file.errorString();
  if (reason.isEmpty() || reason == QStringLiteral("Unknown error"))
    return QStringLiteral("the file could not be written completely (is the disk full?)");
  return reason;
}

} // namespace

bool LoadProject(const QString &path, UserData &data, QString &error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  // Bounded, so that a device or a huge file cannot fill the memory.
  const QByteArray bytes = file.read(static_cast<qint64>(torvio::kMaxProjectFileSize) + 1);
  if (file.error() != QFileDevice::NoError) {
    error = file.errorString();
    return false;
  }
  torvio::ProjectContents contents;
  const auto status =
      torvio::DecodeProject(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                            static_cast<std::size_t>(bytes.size()), contents);
  if (status != torvio::ProjectReadStatus::Ok) {
    error = QString::fromUtf8(torvio::ProjectReadStatusText(status));
    return false;
  }
  data = contents.data;
  return true;
}

bool SaveProject(const QString &path, const UserData &data, QString &error) {
  const auto bytes = torvio::EncodeProject(data, std::string());
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  // commit() replaces the old file even when buffered bytes failed to reach
  // the new one (a full disk): flush first and give up on a short write, so
  // the previous project stays as it was.
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !file.flush()) {
    error = WriteFailure(file);
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}
