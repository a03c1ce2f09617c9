#include "ProjectHistory.h"

#include "RecordEditCommand.h"

#include <QUndoStack>

ProjectHistory::ProjectHistory(std::function<void(const UserData &)> restore, QObject *parent)
    : QObject(parent), restore_(std::move(restore)), stack_(new QUndoStack(this)) {}

void ProjectHistory::Push(const UserData &before, const UserData &after, const QString &label) {
  QString name = label;
  name.remove(u'&');
  stack_->push(new RecordEditCommand(*this, before, after, name));
}

void ProjectHistory::Restart(bool modified) {
  restarting_ = true;
  stack_->clear();
  if (modified)
    stack_->resetClean();
  else
    stack_->setClean();
  restarting_ = false;
}

void ProjectHistory::MarkSaved() {
  stack_->setClean();
}

void ProjectHistory::ForgetSaved() {
  stack_->resetClean();
}
