#include "shell/JsonCommands.h"

#include "ProjectJson.h"
#include "shell/CLogDialog.h"
#include "shell/CTORVIODoc.h"
#include "shell/MessageLines.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QDir>
#include <QFileInfo>

using torvio::Prompter;
using torvio::Prompts;
using torvio::ResString;

namespace {

QString JsonFilter() {
  return ResString(torvio::IDS_JSON_FILTER);
}

// The project's file name with ".json", or "Untitled.json".
QString SuggestedName(const CTORVIODoc &doc) {
  const QString path = doc.GetPathName();
  if (path.isEmpty())
    return doc.GetTitle() + QStringLiteral(".json");
  const QFileInfo info(path);
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".json"));
}

} // namespace

bool ExportProjectCommand(CTORVIODoc &doc, QWidget *parent) {
  const auto path = Prompts().SaveFileName(parent, ResString(torvio::IDS_EXPORT_CAPTION),
                                           SuggestedName(doc), JsonFilter());
  if (!path || path->isEmpty())
    return false;
  const std::string folder = torvio::PathBytes(torvio::ReadFolders().outputDir);
  const torvio::Status written = torvio::scripting::WriteProjectJson(
      torvio::PathBytes(*path), doc.Record(), folder, doc.Mechanics());
  if (!written) {
    Prompts().Message(parent,
                      ResString(torvio::IDS_EXPORT_FAILED)
                          .arg(torvio::ShownPath(*path), QString::fromLocal8Bit(written.error())),
                      Prompter::Icon::Error, Prompter::Buttons::Ok);
    return false;
  }
  return true;
}

bool ImportProjectCommand(CTORVIODoc &doc, QWidget *parent) {
  const auto path =
      Prompts().OpenFileName(parent, ResString(torvio::IDS_IMPORT_CAPTION), JsonFilter());
  if (!path || path->isEmpty())
    return false;
  const torvio::scripting::JsonProject imported =
      torvio::scripting::ReadProjectJson(torvio::PathBytes(*path));
  if (!imported.project) {
    Prompts().Message(parent,
                      ResString(torvio::IDS_IMPORT_FAILED)
                          .arg(torvio::ShownPath(*path), torvio::MessageLines(imported.errors)),
                      Prompter::Icon::Error, Prompter::Buttons::Ok);
    return false;
  }
  const std::string &folder = imported.project->outputDir;
  const bool folderChanged = folder != torvio::PathBytes(torvio::ReadFolders().outputDir);
  torvio::WriteOutputDir(torvio::PathFromBytes(folder));
  doc.SetRecord(imported.project->data, ResString(torvio::IDS_IMPORT_STEP));
  doc.SetMechanics(imported.project->mechanics);
  // The output folder is no part of the undo history: as after Tools >
  // Options, undoing the import must not make the project look saved.
  if (folderChanged)
    doc.OutputFolderChanged();
  // The import is an edit; the log says what the consistency check changed
  // after it.
  if (!imported.recomputed.empty()) {
    std::vector<parvex::ReportLine> lines = {
        {ResString(torvio::IDS_IMPORT_RECOMPUTED).arg(torvio::ShownPath(*path)).toStdString(),
         parvex::Severity::Information}};
    for (const std::string &line : imported.recomputed)
      lines.push_back({"    " + line, parvex::Severity::Information});
    CLogDialog(lines, parent).exec();
  }
  return true;
}
