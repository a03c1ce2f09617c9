// Edit > Undo and Redo: every edit of the record is one step that puts the
// whole record back as it was before it (including what the consistency
// check changed with it), and forward again. The document owns the history
// and restores the states it gives back; the history's clean state is the
// state last saved or loaded.
#pragma once

#include "parvex.h"

#include <QObject>
#include <QString>

#include <functional>

class QUndoStack;

class ProjectHistory : public QObject {
  Q_OBJECT

public:
  // `restore` puts a state back into the record (undo, redo).
  explicit ProjectHistory(std::function<void(const UserData &)> restore, QObject *parent = nullptr);

  QUndoStack *Stack() const { return stack_; }

  // One step from `before` to `after`, named by the edit's label (its "&"
  // marks dropped).
  void Push(const UserData &before, const UserData &after, const QString &label);
  // New and Open: an empty history, clean when the project is unmodified.
  // A new project counts as modified until saved, so no step reaches a
  // clean state then.
  void Restart(bool modified);
  // Saving makes the current step the clean one.
  void MarkSaved();
  // Something outside the record changed (the output folder): no step leads
  // back to the state last saved.
  void ForgetSaved();
  // True while Restart runs, when the stack's clean state says nothing of
  // the project.
  bool Restarting() const { return restarting_; }

  void Restore(const UserData &state) const { restore_(state); }

private:
  std::function<void(const UserData &)> restore_;
  QUndoStack *stack_;
  bool restarting_ = false;
};
