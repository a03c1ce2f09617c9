#include "ProjectSource.h"

#include "ProjectJson.h"
#include "ProjectStore.h"
#include "Terminal.h"
#include "parvex.h"
#include "parvex/Plausibility.h"

#include <QFile>

#include <cmath>
#include <utility>

namespace {

// The first bytes of a file, to tell a project's JSON from its .tvd.
QByteArray Head(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.read(64).trimmed() : QByteArray();
}

bool LooksLikeJson(const QString &path) {
  return path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive) || Head(path).startsWith('{');
}

bool LooksLikeTvd(const QString &path) {
  return path.endsWith(QStringLiteral(".tvd"), Qt::CaseInsensitive) ||
         Head(path).startsWith("\x0cTORVIOFILEV");
}

std::optional<torvio::ProjectContents> Imported(const GenOptions &o) {
  const torvio::scripting::JsonProject imported =
      torvio::scripting::ReadProjectJson(PathBytes(o.importFile));
  if (!imported.project) {
    const bool notJson =
        !imported.errors.empty() && imported.errors.front().rfind("not JSON", 0) == 0;
    Fail(QStringLiteral("cannot import %1%2:")
             .arg(o.importFile, notJson && LooksLikeTvd(o.importFile)
                                    ? QStringLiteral(" (a .tvd project? use --project)")
                                    : QString()));
    for (const std::string &error : imported.errors)
      Print(stderr, QStringLiteral("  ") + QString::fromStdString(error));
    return std::nullopt;
  }
  // The import is an edit: say what the consistency check changed after it.
  if (!imported.recomputed.empty()) {
    Print(stderr, QStringLiteral("note: after importing %1 the consistency check changed:")
                      .arg(o.importFile));
    for (const std::string &line : imported.recomputed)
      Print(stderr, QStringLiteral("  ") + QString::fromStdString(line));
  }
  return imported.project;
}

std::optional<torvio::ProjectContents> Loaded(const GenOptions &o) {
  if (!o.importFile.isEmpty())
    return Imported(o);
  torvio::ProjectContents contents;
  if (o.projectFile.isEmpty()) {
    PARVEX_SetDefault(&contents.data);
    return contents;
  }
  const torvio::LoadedProject loaded = torvio::LoadProject(PathBytes(o.projectFile));
  if (!loaded.project) {
    Fail(QStringLiteral("cannot read project %1: %2%3")
             .arg(o.projectFile, QString::fromLocal8Bit(loaded.error),
                  LooksLikeJson(o.projectFile) ? QStringLiteral(" (a JSON project? use --import)")
                                               : QString()));
    return std::nullopt;
  }
  for (const parvex::ImplausibleSetting &s : parvex::FindImplausibleSettings(loaded.project->data))
    Print(stderr, QStringLiteral("warning: %1 holds a setting no page could have entered: %2")
                      .arg(o.projectFile, QString::fromStdString(s.text)));
  if (!loaded.mechanicsWarning.empty())
    Print(stderr, QStringLiteral("warning: the mechanics are not used: ") +
                      QString::fromLocal8Bit(loaded.mechanicsWarning));
  return loaded.project;
}

} // namespace

std::optional<torvio::ProjectContents> LoadSource(const GenOptions &o) {
  std::optional<torvio::ProjectContents> project = Loaded(o);
  if (!project)
    return project;
  // The command line's mechanics over the project's own.
  if (std::isnan(o.inertia) && std::isnan(o.friction) && std::isnan(o.loadTorque))
    return project;
  parvex::Mechanics m = project->mechanics.value_or(parvex::Mechanics{});
  for (const auto &[given, target] :
       {std::pair{o.inertia, &m.inertia}, std::pair{o.friction, &m.friction},
        std::pair{o.loadTorque, &m.loadTorque}})
    if (!std::isnan(given))
      *target = given;
  if (!parvex::Usable(m)) {
    Fail(QStringLiteral("--friction and --load-torque need the inertia too (--inertia J)"));
    return std::nullopt;
  }
  project->mechanics = m;
  return project;
}
