// Edit > Undo and Redo: every committed page edit is one step that puts the
// whole record back as it was before the commit (including what the
// consistency check changed with it), and forward again. The step that
// reaches the state last saved or loaded clears the modified flag, unless
// the output folder changed since.
#pragma once

#include "parvex.h"

#include <QObject>
#include <QString>

class CTORVIODoc;
class QUndoStack;

class ProjectHistory : public QObject {
  Q_OBJECT

public:
  // Follows the document's New, Open, Save and commits; not owned.
  explicit ProjectHistory(CTORVIODoc *doc, QObject *parent = nullptr);

  QUndoStack *Stack() const { return stack_; }

  // A page committed an edit: one step from `before` to the record as it
  // is now, named by the setting's label. Nothing when the record is the
  // same (a selected radio button clicked again).
  void Committed(const UserData &before, const QString &label);

  // Puts `state` into the document's record, which shows it.
  void Apply(const UserData &state);

private:
  void Restart();
  void OnModifiedChanged(bool modified);

  CTORVIODoc *doc_;
  QUndoStack *stack_;
  bool restarting_ = false;
};
