#include "shell/GenerateSources.h"

#include "GeneratedFiles.h"
#include "OutputFolder.h"
#include "shell/CLogDialog.h"
#include "shell/COptionsDlg.h"
#include "shell/CTORVIODoc.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QApplication>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace torvio {
namespace {

Generator &ActiveGenerator() {
  static Generator generator;
  return generator;
}

// Restores the cursor however the generator call ends.
struct WaitCursor {
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor &) = delete;
  WaitCursor &operator=(const WaitCursor &) = delete;
};

std::unique_ptr<Regeneration> Run(const UserData &data, const Folders &folders,
                                  RegenerationMode mode) {
  WaitCursor wait;
  return std::make_unique<Regeneration>(data, PathBytes(folders.templatesDir),
                                        PathBytes(folders.outputDir), mode, std::chrono::seconds(3),
                                        ActiveGenerator());
}

QString StatusText(const PlannedFile &f) {
  const bool buildLog = f.name == kBuildLogName;
  switch (f.change) {
  case FileChange::Unchanged:
    return ResString(buildLog ? IDS_STATUS_LOG_DATE_ONLY : IDS_STATUS_UNCHANGED);
  case FileChange::Updated:
    if (buildLog)
      return ResString(IDS_STATUS_LOG_WRITTEN);
    return ResString(f.foreign ? IDS_STATUS_UPDATED_HAND_EDIT : IDS_STATUS_UPDATED);
  case FileChange::Created:
    return ResString(buildLog ? IDS_STATUS_LOG_WRITTEN : IDS_STATUS_CREATED);
  case FileChange::NotProduced:
    break;
  }
  return ResString(IDS_STATUS_NOT_PRODUCED);
}

QString Text(const std::string &bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The output folder, asking for it in the Options dialog when none is set;
// nothing when it is still unset.
std::optional<Folders> FoldersToUse(QWidget *parent) {
  Folders folders = ReadFolders();
  if (folders.outputDir.isEmpty()) {
    // Whatever the dialog's result, only the stored folder counts.
    COptionsDlg dialog(parent);
    dialog.exec();
    folders = ReadFolders();
  }
  if (folders.outputDir.isEmpty())
    return std::nullopt;
  return folders;
}

// The report's first lines: a missing output folder is created, with its
// parents; one that cannot take the headers is named with the reason (the
// generation still runs and reports each file it could not write).
std::vector<parvex::ReportLine> PreparationLines(const Folders &folders) {
  const OutputFolder prepared = PrepareOutputFolder(PathBytes(folders.outputDir));
  const QString shown = ShownPath(folders.outputDir);
  if (!prepared.error.empty())
    return {{ResString(IDS_OUTPUT_DIR_UNUSABLE)
                 .arg(shown, QString::fromLocal8Bit(prepared.error))
                 .toStdString(),
             parvex::Severity::Error}};
  if (prepared.created)
    return {{ResString(IDS_OUTPUT_DIR_CREATED).arg(shown).toStdString(),
             parvex::Severity::Information}};
  return {};
}

// Headers changed by hand: overwrite them (false), keep them (true), or
// cancel (nothing). Enter keeps them.
std::optional<bool> AskAboutHandEdits(QWidget *parent, const Folders &folders,
                                      const std::vector<std::string> &foreign,
                                      const std::vector<FileDifference> &differences) {
  QString list;
  for (const std::string &name : foreign)
    list += QStringLiteral("    ") + QString::fromStdString(name) + u'\n';
  const QStringList choices = {ResString(IDS_CHOICE_OVERWRITE), ResString(IDS_CHOICE_KEEP),
                               ResString(IDS_CHOICE_SHOW_DIFFERENCES), ResString(IDS_CANCEL)};
  for (;;) {
    const int choice = Prompts().Choose(
        parent, ResString(IDS_HAND_EDITED).arg(ShownPath(folders.outputDir), list), choices, 1);
    if (choice == 2) {
      DiffDialog dialog(ResString(IDS_SHOW_DIFFERENCES_CAPTION),
                        ResString(IDS_PREVIEW_NOTHING_WRITTEN), differences, parent);
      dialog.exec();
      continue;
    }
    if (choice == 0 || choice == 1)
      return choice == 1;
    return std::nullopt;
  }
}

} // namespace

void SetGenerator(Generator generator) {
  ActiveGenerator() = std::move(generator);
}

std::vector<FileDifference> Differences(const Regeneration &run,
                                        const std::vector<std::string> &only) {
  std::vector<FileDifference> out;
  for (const PlannedFile &f : run.Files()) {
    if (!only.empty() && std::find(only.begin(), only.end(), f.name) == only.end())
      continue;
    out.push_back({Text(f.name), StatusText(f), Text(PreviewDiff(f))});
  }
  return out;
}

} // namespace torvio

void GenerateSourcesCommand(CTORVIODoc &doc, QWidget *parent) {
  using namespace torvio;
  std::vector<parvex::ReportLine> report;
  doc.SetLastReport(report);
  const std::optional<Folders> folders = FoldersToUse(parent);
  if (!folders) {
    report.push_back({ResString(IDS_EXIT_CODE_9).toStdString(), parvex::Severity::Error});
    doc.SetLastReport(report);
    CLogDialog(report, parent).exec();
    return;
  }
  std::vector<parvex::ReportLine> preparation = PreparationLines(*folders);

  // No dialog waits while the run holds the folder: each run is placed and
  // released before the log shows, and a run that finds hand edits is
  // dropped before the question; the answer applies to the next run, which
  // asks again only about files the user has not answered for.
  std::set<std::string> answered;
  std::set<std::string> keep;
  for (;;) {
    std::unique_ptr<Regeneration> run = Run(doc.Record(), *folders, RegenerationMode::Write);
    if (run->Busy()) {
      doc.SetLastReport(run->Generation().lines);
      run.reset();
      Prompts().Message(parent, ResString(IDS_FOLDER_BUSY).arg(ShownPath(folders->outputDir)),
                        Prompter::Icon::Exclamation, Prompter::Buttons::Ok);
      return;
    }
    const std::vector<std::string> foreign = run->ForeignChanges();
    const bool unanswered = std::any_of(foreign.begin(), foreign.end(), [&](const std::string &f) {
      return answered.count(f) == 0;
    });
    if (!unanswered) {
      const std::vector<PlacedFile> placed = run->Place(keep);
      report = std::move(preparation);
      for (const parvex::ReportLine &line : run->Generation().lines)
        report.push_back(line);
      for (const std::string &warning : run->Warnings())
        report.push_back({warning, parvex::Severity::Warning});
      if (!run->Direct())
        for (parvex::ReportLine &line : PlacementReport(placed))
          report.push_back(std::move(line));
      break;
    }
    const std::vector<FileDifference> differences = Differences(*run, foreign);
    run.reset();
    const std::optional<bool> keepThem = AskAboutHandEdits(parent, *folders, foreign, differences);
    if (!keepThem) {
      doc.SetLastReport(
          {{ResString(IDS_GENERATION_CANCELLED).toStdString(), parvex::Severity::Warning}});
      return;
    }
    for (const std::string &name : foreign) {
      answered.insert(name);
      if (*keepThem)
        keep.insert(name);
      else
        keep.erase(name);
    }
  }
  doc.SetLastReport(report);
  CLogDialog log(report, parent);
  log.exec();
}

void OptionsCommand(CTORVIODoc &doc, QWidget *parent) {
  COptionsDlg dialog(parent);
  if (dialog.exec() == QDialog::Accepted)
    doc.OutputFolderChanged();
}

void PreviewGenerationCommand(const CTORVIODoc &doc, QWidget *parent) {
  using namespace torvio;
  const std::optional<Folders> folders = FoldersToUse(parent);
  if (!folders) {
    Prompts().Message(parent, ResString(IDS_EXIT_CODE_9), Prompter::Icon::Exclamation,
                      Prompter::Buttons::Ok);
    return;
  }
  const std::unique_ptr<Regeneration> run = Run(doc.Record(), *folders, RegenerationMode::Preview);
  if (run->Files().empty()) {
    CLogDialog(run->Generation().lines, parent).exec();
    return;
  }
  const PlanCounts counts = CountPlan(run->Files());
  DiffDialog dialog(ResString(IDS_PREVIEW_CAPTION),
                    ResString(IDS_PREVIEW_SUMMARY)
                        .arg(ShownPath(folders->outputDir))
                        .arg(counts.updated)
                        .arg(counts.created)
                        .arg(counts.unchanged),
                    Differences(*run), parent);
  dialog.exec();
}
