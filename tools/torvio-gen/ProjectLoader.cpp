#include "ProjectLoader.h"

#include "ProjectBytes.h"
#include "ProjectFile.h"

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
  QByteArray bytes;
  if (!torvio::ReadProjectBytes(path, bytes, error))
    return false;
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
