#include "ProjectLoader.h"

#include "ProjectFile.h"

#include <QFile>
#include <QSaveFile>

bool LoadProject(const QString &path, UserData &data, QString &error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
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
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}
