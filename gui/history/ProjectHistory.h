// Edit > Undo and Redo: every committed page edit is one step that puts the
// whole record back as it was before the commit (including what the
// consistency check changed with it), and forward again. The step that
// reaches the state last saved or loaded clears the modified flag, unless
// the output folder changed since.
#pragma once

#include "parvex.h"

#include <QObject>
#include <QString>

class CMainSheet;
class CTORVIODoc;
class QUndoStack;

class ProjectHistory : public QObject {
  Q_OBJECT

public:
  // Follows the document's New, Open and Save and the sheet's commits; not
  // owned.
  ProjectHistory(CTORVIODoc *doc, CMainSheet *sheet, QObject *parent = nullptr);

  QUndoStack *Stack() const { return stack_; }

  // A page committed an edit: one step from `before` to the record as it
  // is now, named by the setting's label. Nothing when the record is the
  // same (a selected radio button clicked again).
  void Committed(const UserData &before, const QString &label);

  // Puts `state` into the record and shows it: the sheet is rebuilt when a
  // speed-feedback choice differs, and the current page reloads.
  void Apply(const UserData &state);

signals:
  // The record changed by a commit, an undo or a redo.
  void recordChanged();

private:
  void Restart();
  void OnModifiedChanged(bool modified);

  CTORVIODoc *doc_;
  CMainSheet *sheet_;
  QUndoStack *stack_;
  bool restarting_ = false;
};
