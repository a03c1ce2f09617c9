#include "ProjectHistory.h"

#include "RecordEditCommand.h"
#include "shell/CTORVIODoc.h"

#include <QUndoStack>

#include <cstring>

ProjectHistory::ProjectHistory(CTORVIODoc *doc, QObject *parent)
    : QObject(parent), doc_(doc), stack_(new QUndoStack(this)) {
  connect(doc_, &CTORVIODoc::committed, this, &ProjectHistory::Committed);
  connect(doc_, &CTORVIODoc::updated, this, &ProjectHistory::Restart);
  connect(doc_, &CTORVIODoc::modifiedChanged, this, &ProjectHistory::OnModifiedChanged);
  // The output folder is no step of its own: once it changed, no undo leads
  // back to the state last saved, and the project stays modified.
  connect(doc_, &CTORVIODoc::optionsChanged, stack_, &QUndoStack::resetClean);
  // Undoing back to the saved state clears the modified flag, redoing away
  // from it sets it again.
  connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
    if (!restarting_ && doc_->IsModified() == clean)
      doc_->SetModifiedFlag(!clean);
  });
  Restart();
}

void ProjectHistory::Committed(const UserData &before, const QString &label) {
  const UserData &now = doc_->Record();
  if (std::memcmp(&before, &now, sizeof now) == 0)
    return;
  QString name = label;
  name.remove(u'&');
  stack_->push(new RecordEditCommand(*this, before, now, name));
}

void ProjectHistory::Apply(const UserData &state) {
  doc_->ApplyRecord(state);
}

// New and Open start a new history. A new project counts as modified until
// saved, so no step can reach a clean state then.
void ProjectHistory::Restart() {
  restarting_ = true;
  stack_->clear();
  if (doc_->IsModified())
    stack_->resetClean();
  else
    stack_->setClean();
  restarting_ = false;
}

// Saving makes the current step the clean one.
void ProjectHistory::OnModifiedChanged(bool modified) {
  if (!modified)
    stack_->setClean();
}
