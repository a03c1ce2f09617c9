#include "GenerateCommand.h"

#include "GenExitCodes.h"
#include "GeneratedFiles.h"
#include "OutputFolder.h"
#include "ProjectSource.h"
#include "ProjectStore.h"
#include "Regeneration.h"
#include "ReportFormat.h"
#include "TemplateFolder.h"
#include "Terminal.h"
#include "parvex.h"
#include "parvex/Generation.h"
#include "parvex/Plausibility.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

using gen::kFolderBusy;
using gen::kHandEdited;

void PrintLines(std::FILE *stream, const std::vector<parvex::ReportLine> &lines, bool colour) {
  for (const parvex::ReportLine &line : lines)
    Print(stream, FormatReportLine(line, colour));
}

// The generation's errors (and warnings), for the modes whose output is the
// comparison itself.
void PrintProblems(const parvex::GenerationResult &generation, bool warnings) {
  for (const parvex::ReportLine &line : generation.lines)
    if (line.severity == parvex::Severity::Error ||
        (warnings && line.severity == parvex::Severity::Warning))
      Print(stderr, FormatReportLine(line, false));
}

void PrintWarnings(const torvio::Regeneration &run, std::FILE *stream) {
  for (const std::string &warning : run.Warnings())
    Print(stream, QStringLiteral("warning: ") + PathFromBytes(warning));
}

// "would be updated", or the like, of a file a dry run compares.
QString PlannedText(const torvio::PlannedFile &f) {
  if (f.name == torvio::kBuildLogName && f.change == torvio::FileChange::Unchanged)
    return QStringLiteral("would be written, with the same settings");
  if (f.change == torvio::FileChange::Unchanged || f.change == torvio::FileChange::NotProduced)
    return QString::fromLatin1(torvio::ChangeName(f.change));
  if (f.name == torvio::kBuildLogName)
    return QStringLiteral("would be written");
  QString text = QStringLiteral("would be ") + QString::fromLatin1(torvio::ChangeName(f.change));
  if (f.foreign)
    text += QStringLiteral(", although it was edited by hand (--force overwrites it)");
  return text;
}

int RunDryRun(const torvio::Regeneration &run) {
  PrintWarnings(run, stderr);
  for (const torvio::PlannedFile &f : run.Files())
    Print(stdout, QString::fromStdString(f.name) + QStringLiteral(" : ") + PlannedText(f));
  const torvio::PlanCounts counts = torvio::CountPlan(run.Files());
  Print(stdout, QStringLiteral("Files: %1 to update, %2 to create, %3 unchanged.")
                    .arg(counts.updated)
                    .arg(counts.created)
                    .arg(counts.unchanged));
  for (const torvio::PlannedFile &f : run.Files()) {
    const std::string diff = torvio::PreviewDiff(f);
    std::fwrite(diff.data(), 1, diff.size(), stdout);
  }
  return run.Generation().errors > 0 ? 1 : 0;
}

int RunCheck(const torvio::Regeneration &run, const GenOptions &o) {
  PrintWarnings(run, stderr);
  if (run.UpToDate()) {
    Print(stdout, o.outputDir + QStringLiteral(" is up to date."));
    return gen::kDone;
  }
  Print(stdout, o.outputDir + QStringLiteral(" differs from what the project generates:"));
  for (const torvio::PlannedFile &f : run.Files()) {
    if (f.change == torvio::FileChange::Unchanged)
      continue;
    Print(stdout, QStringLiteral("  ") + QString::fromStdString(f.name) + QStringLiteral(" : ") +
                      PlannedText(f));
    // The build log names the settings that differ.
    for (const std::string &setting : f.settingChanges)
      Print(stdout, QStringLiteral("    ") + QString::fromStdString(setting));
  }
  return gen::kFailed;
}

} // namespace

int RunSaveDefault(const GenOptions &o) {
  UserData data{};
  PARVEX_SetDefault(&data);
  const torvio::Status saved =
      torvio::SaveProject(PathBytes(o.saveDefault), data, {}, std::nullopt);
  if (!saved.ok())
    return Fail(QStringLiteral("cannot write %1: %2")
                    .arg(o.saveDefault, QString::fromLocal8Bit(saved.error())));
  Print(stdout, QStringLiteral("Default project written to %1").arg(o.saveDefault));
  return 0;
}

int RunGenerate(const GenOptions &o) {
  const std::optional<torvio::ProjectContents> project = LoadSource(o);
  if (!project)
    return gen::kBadCommand;
  const UserData *data = &project->data;
  const std::string outputDir = PathBytes(o.outputDir);
  const std::string templatesDir = PathBytes(o.templatesDir);
  // Settled before anything is created: templates to read, and a folder
  // (not a file) to write into.
  if (torvio::TemplatesIn(templatesDir) == 0)
    return Fail(QStringLiteral("%1 holds none of the nine templates (MC_Control_Param.th, ...)")
                    .arg(o.templatesDir));
  const QFileInfo output(QDir::cleanPath(o.outputDir));
  if (output.exists() && !output.isDir())
    return Fail(QStringLiteral("%1 is not a folder").arg(QDir::cleanPath(o.outputDir)));

  if (o.dryRun || o.check) {
    const torvio::Regeneration preview(*data, templatesDir, outputDir,
                                       torvio::RegenerationMode::Preview);
    PrintProblems(preview.Generation(), o.dryRun);
    return o.dryRun ? RunDryRun(preview) : RunCheck(preview, o);
  }

  // A missing output folder is created, with its parents; one that cannot
  // be is a bad command line, like a file in the folder's place.
  const torvio::OutputFolder folder = torvio::PrepareOutputFolder(outputDir);
  if (!folder.error.empty())
    return Fail(QStringLiteral("cannot use %1 as the output folder: %2")
                    .arg(o.outputDir, QString::fromLocal8Bit(folder.error)));

  torvio::Regeneration run(*data, templatesDir, outputDir);
  const bool colour = StdoutIsTerminal();
  if (run.Busy()) {
    PrintLines(stderr, run.Generation().lines, false);
    return kFolderBusy;
  }
  const std::vector<std::string> foreign = run.ForeignChanges();
  if (!foreign.empty() && !o.force) {
    Print(stderr, QStringLiteral("torvio-gen: these headers were changed since TORVIO wrote them "
                                 "(or were not written by TORVIO):"));
    for (const std::string &name : foreign)
      Print(stderr, QStringLiteral("  ") + o.outputDir + QString::fromStdString(name));
    Print(stderr, QStringLiteral("Nothing was written. --dry-run shows the differences; --force "
                                 "overwrites them."));
    return kHandEdited;
  }

  PrintLines(stdout, run.Generation().lines, colour);
  PrintWarnings(run, stdout);
  const std::vector<torvio::PlacedFile> placed = run.Place();
  if (!run.Direct())
    PrintLines(stdout, torvio::PlacementReport(placed), colour);

  // Only what was written, and written completely.
  bool failed = run.Generation().errors > 0;
  Print(stdout, QStringLiteral("Files written:"));
  int written = 0;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const auto &headers = run.Generation().headers;
    const bool complete = i >= headers.size() || headers[i].exitCode == 0;
    failed = failed || placed[i].outcome.rfind("not written", 0) == 0;
    if (placed[i].written && complete && placed[i].outcome != "unchanged") {
      Print(stdout, QStringLiteral("  ") + o.outputDir + QString::fromStdString(placed[i].name));
      ++written;
    }
  }
  if (written == 0)
    Print(stdout, QStringLiteral("  (none)"));
  return failed ? 1 : 0;
}
