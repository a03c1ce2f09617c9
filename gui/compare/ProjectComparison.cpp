#include "ProjectComparison.h"

#include "ProjectFile.h"
#include "SettingsDiff.h"

#include <QFile>

ProjectComparison CompareWithFile(const UserData &open, const QString &path) {
  ProjectComparison result;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.error = file.errorString();
    return result;
  }
  // Bounded, so that a device or a huge file cannot fill the memory.
  const QByteArray bytes = file.read(static_cast<qint64>(torvio::kMaxProjectFileSize) + 1);
  if (file.error() != QFileDevice::NoError) {
    result.error = file.errorString();
    return result;
  }
  torvio::ProjectContents contents;
  const auto status =
      torvio::DecodeProject(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                            static_cast<std::size_t>(bytes.size()), contents);
  if (status != torvio::ProjectReadStatus::Ok) {
    result.error = QString::fromUtf8(torvio::ProjectReadStatusText(status));
    return result;
  }
  result.readable = true;
  for (const std::string &line : parvex::DiffSettings(open, contents.data))
    result.lines.append(QString::fromStdString(line));
  return result;
}
