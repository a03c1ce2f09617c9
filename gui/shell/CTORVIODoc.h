// The open project: one UserData record, the modified flag, the undo history
// and the file it came from. One document lives for the whole run and is
// reused by New and Open. It is the only place where the record changes: an
// edit, an import, undo and redo, New and Open all end in one recordChanged
// signal that names the settings whose values differ.
#pragma once

#include "pages/PageHost.h"
#include "parvex.h"
#include "parvex/Generation.h"
#include "parvex/Mechanics.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class ProjectHistory;

class CTORVIODoc : public QObject {
  Q_OBJECT

public:
  explicit CTORVIODoc(QObject *parent = nullptr);

  const UserData &Record() const { return data_; }
  // What the motor drives, for the speed loop: kept beside the project file,
  // none for a new project.
  const std::optional<parvex::Mechanics> &Mechanics() const { return mechanics_; }
  // Changes them: the project is modified, the views that follow hear of it.
  void SetMechanics(const std::optional<parvex::Mechanics> &mechanics);
  // The report lines of the last Generate Sources.
  const std::vector<parvex::ReportLine> &LastReport() const { return report_; }
  void SetLastReport(std::vector<parvex::ReportLine> lines) { report_ = std::move(lines); }

  // One setting entered as its control enters it (a flag: non-zero sets
  // it): the model's rule for the setting stores the value and runs the
  // consistency check when the rule says so. A change of the record is one
  // undo step named `label`, the views hear of it, and the project is
  // modified. False, and nothing changed, when the rule refuses the value.
  bool Set(const parvex::Parameter &parameter, double value, const QString &label);
  // A whole record entered at once (an import, designed gains), the same
  // way: one undo step, the views, the modified flag.
  void SetRecord(const UserData &state, const QString &label);
  // The project's output folder changed (Tools > Options, an import): the
  // project is modified, and no undo leads back to the state last saved.
  void OutputFolderChanged();
  // Edit > Undo and Redo.
  ProjectHistory *History() const { return history_; }

  // File New: default settings, modified, no output folder; views reload.
  bool OnNewDocument();
  // Reads a project. The record, the output folder setting, the path and the
  // modified flag change only when the whole file was read; otherwise one
  // message tells why and the project stays exactly as it was.
  bool OnOpenDocument(const QString &path);
  // Writes the project through a temporary file that replaces `path` only
  // when complete. A failure is reported and the project stays modified.
  bool OnSaveDocument(const QString &path);

  bool IsModified() const { return modified_; }

  QString GetPathName() const { return path_; }
  // The file name, or "Untitled" for a project never saved.
  QString GetTitle() const;

signals:
  void modifiedChanged(bool modified);
  void titleChanged(const QString &title);
  // The output folder changed (Tools > Options, an import).
  void optionsChanged();
  // The record changed: `changed` names the settings whose stored values
  // differ (all of them that differ after New or Open). `replaced` is true
  // after New and Open, when the views rebuild.
  void recordChanged(const ChangedSettings &changed, bool replaced);
  // The mechanics changed (by SetMechanics, New, Open or an import).
  void mechanicsChanged();

private:
  // Tests set up a record or a modified flag directly, as a file could.
  friend struct DocumentTestAccess;

  // Puts `state` into the record and tells the views; `replaced` for New
  // and Open.
  void Replace(const UserData &state, bool replaced);
  // New and Open: the record replaced and a new history.
  void UpdateAllViews(const UserData &state);
  // The one writer of the modified flag.
  void SetModifiedFlag(bool modified);
  void SetPathName(const QString &path);
  // One message listing the settings of an opened file that no page could
  // have entered (the record keeps them).
  void WarnOfImplausibleSettings();

  UserData data_{};
  std::optional<parvex::Mechanics> mechanics_;
  std::vector<parvex::ReportLine> report_;
  bool modified_ = false;
  QString path_;
  ProjectHistory *history_;
};
