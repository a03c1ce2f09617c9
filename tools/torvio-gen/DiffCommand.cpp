#include "DiffCommand.h"

#include "ProjectStore.h"
#include "Terminal.h"
#include "parvex/Settings.h"

int RunDiff(const QStringList &files) {
  UserData records[2]{};
  for (int i = 0; i < 2; ++i) {
    const torvio::LoadedProject loaded = torvio::LoadProject(PathBytes(files[i]));
    if (!loaded.project)
      return Fail(QStringLiteral("cannot read project %1: %2")
                      .arg(files[i], QString::fromLocal8Bit(loaded.error)));
    records[i] = loaded.project->data;
  }
  const auto lines = parvex::DiffSettings(records[0], records[1]);
  for (const std::string &line : lines)
    Print(stdout, QString::fromStdString(line));
  return lines.empty() ? 0 : 1;
}
