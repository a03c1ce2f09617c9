// What a parameter page needs from the sheet that hosts it: the open
// document's record and the few commands a commit may run. The shell's
// CMainSheet implements it; tests can supply their own.
#pragma once

#include "parvex.h"

#include <QString>

class PageHost {
public:
  virtual ~PageHost() = default;

  // The record of the open document; never null while a page exists.
  virtual UserData *Record() = 0;
  // Marks the document modified; the last step of every commit.
  virtual void SetModifiedFlag() = 0;
  // Rebuilds the optional pages after a speed-feedback choice changed.
  virtual void RebuildPages() = 0;
  // Opens the help window on a numeric help context (0x18008, 0x1800A).
  virtual void ShowHelp(unsigned context) = 0;
  // Told after every commit, once its follow-up steps ran: the record as it
  // was before the commit, and the label of the control that made it. The
  // undo history listens here.
  virtual void Committed(const UserData &before, const QString &label) {
    (void)before;
    (void)label;
  }
};
