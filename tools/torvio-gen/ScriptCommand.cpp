#include "ScriptCommand.h"

#include "ProjectJson.h"
#include "ProjectSource.h"
#include "ProjectStore.h"
#include "ScriptedEdit.h"
#include "SettingPath.h"
#include "SettingText.h"
#include "Terminal.h"

#include "FileReplace.h"
#include "parvex/AnalysisText.h"
#include "parvex/ControllerAnalysis.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace torvio::scripting;

QString Text(const std::string &text) {
  return QString::fromStdString(text);
}

int Get(const UserData &data, const QStringList &paths) {
  // Every path is looked up before anything is printed.
  std::vector<SettingRef> settings;
  for (const QString &path : paths) {
    const std::optional<SettingRef> setting = FindSetting(PathBytes(path));
    if (!setting)
      return Fail(QString::fromStdString(UnknownSettingText(PathBytes(path))));
    settings.push_back(*setting);
  }
  for (const SettingRef &setting : settings)
    Print(stdout, Text(GetLine(data, setting)));
  return 0;
}

int List(const UserData &data) {
  for (const parvex::Parameter *p : SettingsInTreeOrder())
    Print(stdout, Text(ListLine(data, *p)));
  return 0;
}

// The speed gains designed for the bandwidth, entered as the Control
// Settings page enters them, and the design printed beside the gains it
// replaces.
int DesignSpeedLoop(torvio::ProjectContents &project, double bandwidth) {
  if (!project.mechanics)
    return Fail(QStringLiteral("--design-speed-loop needs the inertia (--inertia J, or a project "
                               "saved with its mechanics)"));
  namespace pa = parvex::analysis;
  const pa::SpeedDesign design = pa::DesignSpeedGains(project.data, *project.mechanics, bandwidth);
  if (!design.designed)
    return Fail(QStringLiteral("cannot design the speed gains: ") + Text(design.why));
  const UserData before = project.data;
  const auto entry = [](const char *name, std::int64_t value) {
    return std::string("CONTROLSETTINGS/SPEEDCONTROLLER/") + name + "=" + std::to_string(value);
  };
  const torvio::Result<std::vector<std::string>> edits =
      ApplyEdits(project.data, {entry("SpeedPDivisor", design.gains.pDivisor),
                                entry("SpeedPDividend", design.gains.pDividend),
                                entry("SpeedIDivisor", design.gains.iDivisor),
                                entry("SpeedIDividend", design.gains.iDividend)});
  if (!edits)
    return Fail(QStringLiteral("the designed speed gains are refused: ") + Text(edits.error()));
  std::string text = pa::SpeedDesignText(design, before);
  text.pop_back(); // Print ends the line
  Print(stdout, Text(text));
  return 0;
}

} // namespace

int RunScript(const GenOptions &o) {
  std::optional<torvio::ProjectContents> project = LoadSource(o);
  if (!project)
    return 2;
  if (o.list)
    return List(project->data);
  if (!o.getPaths.isEmpty())
    return Get(project->data, o.getPaths);

  std::vector<std::string> assignments;
  for (const QString &assignment : o.assignments)
    assignments.push_back(PathBytes(assignment));
  const torvio::Result<std::vector<std::string>> edits = ApplyEdits(project->data, assignments);
  if (!edits)
    return Fail(Text(edits.error()));
  for (const std::string &note : *edits)
    Print(stderr, QStringLiteral("note: ") + Text(note));
  if (o.designSpeedLoop) {
    if (const int refused = DesignSpeedLoop(*project, o.speedBandwidth))
      return refused;
  }

  // Everything that can be refused is settled before the first write.
  std::optional<std::string> json;
  if (!o.exportFile.isEmpty()) {
    const torvio::Result<std::string> text =
        ExportProjectJson(project->data, project->outputDir, project->mechanics);
    if (!text)
      return Fail(QStringLiteral("cannot export %1: %2").arg(o.exportFile, Text(text.error())));
    json = *text;
  }
  if (!o.saveFile.isEmpty()) {
    const torvio::Status saved = torvio::SaveProject(PathBytes(o.saveFile), project->data,
                                                     project->outputDir, project->mechanics);
    if (!saved.ok())
      return Fail(QStringLiteral("cannot write %1: %2")
                      .arg(o.saveFile, QString::fromLocal8Bit(saved.error())));
    Print(stdout, QStringLiteral("Project written to %1").arg(o.saveFile));
  }
  if (json) {
    const torvio::Status written = torvio::ReplaceFile(PathBytes(o.exportFile), *json);
    if (!written)
      return Fail(QStringLiteral("cannot write %1: %2")
                      .arg(o.exportFile, QString::fromLocal8Bit(written.error())));
    Print(stdout, QStringLiteral("JSON written to %1").arg(o.exportFile));
  }
  return 0;
}
