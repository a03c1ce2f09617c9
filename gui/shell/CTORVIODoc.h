// The open project: one UserData record, the modified flag and the file it
// came from. One document lives for the whole run and is reused by New and
// Open.
#pragma once

#include "parvex.h"
#include "parvex/Generation.h"
#include "parvex/Mechanics.h"

#include <QObject>
#include <QString>

#include <optional>
#include <vector>

class QWidget;

class CTORVIODoc : public QObject {
  Q_OBJECT

public:
  explicit CTORVIODoc(QObject *parent = nullptr);

  UserData &Record() { return m_data; }
  const UserData &Record() const { return m_data; }
  // What the motor drives, for the speed loop: kept beside the project file,
  // none for a new project.
  const std::optional<parvex::Mechanics> &Mechanics() const { return m_mechanics; }
  // Changes them: the project is modified, the views that follow hear of it.
  void SetMechanics(const std::optional<parvex::Mechanics> &mechanics);
  // The report lines of the last Generate Sources.
  const std::vector<parvex::ReportLine> &LastReport() const { return m_report; }

  // File New: default settings, modified, no output folder; views reload.
  bool OnNewDocument();
  // Reads a project. The record, the output folder setting, the path and the
  // modified flag change only when the whole file was read; otherwise one
  // message tells why and the project stays exactly as it was.
  bool OnOpenDocument(const QString &path);
  // Writes the project through a temporary file that replaces `path` only
  // when complete. A failure is reported and the project stays modified.
  bool OnSaveDocument(const QString &path);

  bool IsModified() const { return m_modified; }
  void SetModifiedFlag(bool modified = true);

  QString GetPathName() const { return m_path; }
  // The file name, or "Untitled" for a project never saved.
  QString GetTitle() const;

  // The "save changes?" question before the project is replaced or the
  // program ends. Returns false when the user cancelled (or saving failed).
  bool SaveModified(QWidget *parent);

  // Menu commands that ask for file names.
  bool OnFileNew(QWidget *parent);
  bool OnFileOpen(QWidget *parent);
  bool OnFileSave(QWidget *parent);
  bool OnFileSaveAs(QWidget *parent);
  // Tools Options: the output folder belongs to the project, so OK marks it
  // modified.
  void OnToolsOptions(QWidget *parent);
  // Tools Generate Sources: only the files that change are written; headers
  // edited by hand are overwritten only when the user says so.
  void GenerateSources(QWidget *parent);
  // Tools Preview Generation: what Generate Sources would change, with the
  // diffs; writes nothing.
  void PreviewGeneration(QWidget *parent);

  void UpdateAllViews();

  // The one way the record changes after New or Open, so that the undo
  // history, the views and the windows that follow the record all hear of
  // it:
  //  - a page committed an edit in place: one undo step from `before`;
  //  - a whole state is put in (undo, redo): the views show it;
  //  - an edit from outside the pages: put in, and one undo step.
  void RecordCommitted(const UserData &before, const QString &label);
  void ApplyRecord(const UserData &state);
  void EditRecord(const UserData &state, const QString &label);

signals:
  void modifiedChanged(bool modified);
  void titleChanged(const QString &title);
  // Tools Options was accepted: the project changed outside its record (the
  // output folder).
  void optionsChanged();
  // New or Open replaced the record: views rebuild and reload.
  void updated();
  // A committed edit, made in place: the history makes it one step.
  void committed(const UserData &before, const QString &label);
  // ApplyRecord put a state into the record: the views reload from it.
  void recordApplied();
  // The record changed by a commit, an undo or redo, New or Open.
  void recordChanged();
  // The mechanics changed (by SetMechanics, New, Open or an import).
  void mechanicsChanged();

private:
  void SetPathName(const QString &path);
  // One message listing the settings of an opened file that no page could
  // have entered (the record keeps them).
  void WarnOfImplausibleSettings();

  UserData m_data{};
  std::optional<parvex::Mechanics> m_mechanics;
  std::vector<parvex::ReportLine> m_report;
  bool m_modified = false;
  QString m_path;
};
