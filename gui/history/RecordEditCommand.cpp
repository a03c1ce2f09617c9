#include "RecordEditCommand.h"

#include "ProjectHistory.h"

RecordEditCommand::RecordEditCommand(ProjectHistory &history, const UserData &before,
                                     const UserData &after, const QString &label)
    : QUndoCommand(label), history_(history), before_(before), after_(after) {}

void RecordEditCommand::undo() {
  history_.Restore(before_);
}

void RecordEditCommand::redo() {
  if (!pushed_) {
    pushed_ = true;
    return;
  }
  history_.Restore(after_);
}
