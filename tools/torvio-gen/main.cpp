// torvio-gen: the headers of a project (or of the default configuration)
// from the command line.
#include "GenCommandLine.h"
#include "GenReport.h"
#include "ProjectStore.h"
#include "parvex.h"
#include "parvex/Settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

GenReport *activeReport = nullptr;

// PARVEX reports through a plain function; the lines go to the one report
// of this run.
void Collect(const char *text, int severity) {
  if (activeReport)
    activeReport->Add(QString::fromLocal8Bit(text), severity);
}

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

  const QByteArray templatesDir = o.templatesDir.toLocal8Bit();
  const QByteArray outputDir = o.outputDir.toLocal8Bit();
  const GenerateSourcesArgs args{templatesDir.constData(), outputDir.constData(), &Collect};
  GenReport report;
  activeReport = &report;
  const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
  PARVEX_GenerateSources(&data, &args);
  activeReport = nullptr;

  const bool colour = StdoutIsTerminal();
  for (const auto &line : report.Lines())
    Print(stdout, GenReport::Format(line, colour));

  Print(stdout, QStringLiteral("Files written:"));
  QStringList written = report.WrittenHeaders();
  const QFileInfo log(o.outputDir + QStringLiteral("BuildLog.xml"));
  if (log.exists() && log.lastModified() >= started)
    written.append(QStringLiteral("BuildLog.xml"));
  for (const QString &name : written)
    Print(stdout, QStringLiteral("  ") + o.outputDir + name);
  if (written.isEmpty())
    Print(stdout, QStringLiteral("  (none)"));
  return report.FailedFiles() > 0 ? 1 : 0;
}
