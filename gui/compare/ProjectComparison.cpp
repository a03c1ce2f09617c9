#include "ProjectComparison.h"

#include "ProjectStore.h"
#include "parvex/Settings.h"

#include "shell/PathBytes.h"

ProjectComparison CompareWithFile(const UserData &open, const QString &path) {
  ProjectComparison result;
  const torvio::LoadedProject loaded = torvio::LoadProject(torvio::PathBytes(path));
  if (!loaded.project) {
    result.error = QString::fromLocal8Bit(loaded.error);
    return result;
  }
  result.readable = true;
  for (const std::string &line : parvex::DiffSettings(open, loaded.project->data))
    result.lines.append(QString::fromStdString(line));
  return result;
}
