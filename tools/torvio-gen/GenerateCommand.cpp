#include "GenerateCommand.h"

#include "ProjectStore.h"
#include "ReportFormat.h"
#include "Terminal.h"
#include "parvex.h"
#include "parvex/Generation.h"
#include "parvex/Plausibility.h"

#include <filesystem>

int RunSaveDefault(const GenOptions &o) {
  UserData data{};
  PARVEX_SetDefault(&data);
  const torvio::SavedProject saved = torvio::SaveProject(PathBytes(o.saveDefault), data, {});
  if (!saved.ok)
    return Fail(QStringLiteral("cannot write %1: %2")
                    .arg(o.saveDefault, QString::fromLocal8Bit(saved.error)));
  Print(stdout, QStringLiteral("Default project written to %1").arg(o.saveDefault));
  return 0;
}

int RunGenerate(const GenOptions &o) {
  UserData data{};
  PARVEX_SetDefault(&data);
  if (!o.projectFile.isEmpty()) {
    const torvio::LoadedProject loaded = torvio::LoadProject(PathBytes(o.projectFile));
    if (!loaded.project)
      return Fail(QStringLiteral("cannot read project %1: %2")
                      .arg(o.projectFile, QString::fromLocal8Bit(loaded.error)));
    data = loaded.project->data;
    for (const parvex::ImplausibleSetting &s : parvex::FindImplausibleSettings(data))
      Print(stderr, QStringLiteral("warning: %1 holds a setting no page could have entered: %2")
                        .arg(o.projectFile, QString::fromStdString(s.text)));
  }

  // A missing output folder is created; when that fails every header
  // reports its creation failure.
  const std::string outputDir = PathBytes(o.outputDir);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(outputDir), ignored);

  const parvex::GenerationResult result =
      parvex::Generate(data, PathBytes(o.templatesDir), outputDir);

  const bool colour = StdoutIsTerminal();
  for (const parvex::ReportLine &line : result.lines)
    Print(stdout, FormatReportLine(line, colour));

  // Only what was written completely.
  Print(stdout, QStringLiteral("Files written:"));
  QStringList written;
  for (const parvex::GeneratedHeader &header : result.headers)
    if (header.exitCode == 0)
      written.append(QString::fromStdString(header.name));
  if (result.buildLogWritten)
    written.append(QStringLiteral("BuildLog.xml"));
  for (const QString &name : written)
    Print(stdout, QStringLiteral("  ") + o.outputDir + name);
  if (written.isEmpty())
    Print(stdout, QStringLiteral("  (none)"));
  return result.errors > 0 ? 1 : 0;
}
