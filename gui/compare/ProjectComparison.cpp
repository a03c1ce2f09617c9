#include "ProjectComparison.h"

#include "ProjectBytes.h"
#include "ProjectFile.h"
#include "parvex/Settings.h"

ProjectComparison CompareWithFile(const UserData &open, const QString &path) {
  ProjectComparison result;
  QByteArray bytes;
  if (!torvio::ReadProjectBytes(path, bytes, result.error))
    return result;
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
