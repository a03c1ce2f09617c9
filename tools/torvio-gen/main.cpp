// torvio-gen: the headers of a project (or of the default configuration)
// from the command line.
#include "GenCommandLine.h"
#include "ProjectStore.h"
#include "ReportFormat.h"
#include "parvex.h"
#include "parvex/Generation.h"
#include "parvex/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

void Print(std::FILE *stream, const QString &text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fputc('\n', stream);
}

int Fail(const QString &message) {
  Print(stderr, QStringLiteral("torvio-gen: ") + message);
  return 2;
}

// Prints the settings in which project B differs from project A: 0 none,
// 1 some, 2 a file could not be read.
int Compare(const QStringList &files) {
  UserData records[2]{};
  for (int i = 0; i < 2; ++i) {
    const torvio::LoadedProject loaded =
        torvio::LoadProject(QFile::encodeName(files[i]).toStdString());
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

bool StdoutIsTerminal() {
  return isatty(fileno(stdout)) == 1;
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  const GenCommandLine command = ParseGenCommandLine(
      QCoreApplication::arguments(), BundledTemplatesDir(QCoreApplication::applicationDirPath()));
  if (command.outcome == GenCommandLine::Outcome::ShowText) {
    std::fputs(command.text.toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (command.outcome == GenCommandLine::Outcome::Error)
    return Fail(command.text + QStringLiteral(" (try --help)"));
  const GenOptions &o = command.options;
  if (!o.diffFiles.isEmpty())
    return Compare(o.diffFiles);

  UserData data{};
  PARVEX_SetDefault(&data);
  if (!o.saveDefault.isEmpty()) {
    const torvio::SavedProject saved =
        torvio::SaveProject(QFile::encodeName(o.saveDefault).toStdString(), data, std::string());
    if (!saved.ok) {
      Print(stderr, QStringLiteral("torvio-gen: cannot write %1: %2")
                        .arg(o.saveDefault, QString::fromLocal8Bit(saved.error)));
      return 1;
    }
    Print(stdout, QStringLiteral("Default project written to %1").arg(o.saveDefault));
    return 0;
  }
  if (!o.projectFile.isEmpty()) {
    const torvio::LoadedProject loaded =
        torvio::LoadProject(QFile::encodeName(o.projectFile).toStdString());
    if (!loaded.project)
      return Fail(QStringLiteral("cannot read project %1: %2")
                      .arg(o.projectFile, QString::fromLocal8Bit(loaded.error)));
    data = loaded.project->data;
  }

  // A missing output folder is created; when that fails every header
  // reports its creation failure.
  QDir().mkpath(o.outputDir);

  const parvex::GenerationResult result = parvex::Generate(
      data, o.templatesDir.toLocal8Bit().toStdString(), o.outputDir.toLocal8Bit().toStdString());

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
