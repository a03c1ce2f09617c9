// One undo step: the record before and after a committed edit.
#pragma once

#include "parvex.h"

#include <QUndoCommand>

class ProjectHistory;

class RecordEditCommand : public QUndoCommand {
public:
  RecordEditCommand(ProjectHistory &history, const UserData &before, const UserData &after,
                    const QString &label);

  void undo() override;
  // The first redo comes with the push, when the record already holds the
  // edit.
  void redo() override;

private:
  ProjectHistory &history_;
  UserData before_;
  UserData after_;
  bool pushed_ = false;
};
