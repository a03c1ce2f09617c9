// What a parameter page needs from the sheet that hosts it: the open
// document's record to show, the one call that changes it, and the help
// window. The shell's CMainSheet implements it over the document; tests can
// supply their own. A page never writes the record: it asks the host, and
// the host tells every page it follows what changed.
#pragma once

#include "parvex.h"
#include "parvex/Parameters.h"

#include <QString>

#include <vector>

class CTORVIOPropertyPage;

// The settings whose stored bytes differ between two records, in record order.
using ChangedSettings = std::vector<const parvex::Parameter *>;

class PageHost {
public:
  virtual ~PageHost() = default;

  // The record of the open document.
  virtual const UserData &Record() const = 0;
  // Enters `value` for `parameter` as its control does (a flag: non-zero
  // sets it), named by the control's `label` for the undo step. The host
  // applies the model's rule, runs the check the rule asks for and calls
  // RecordChanged on every page it follows.
  virtual void Set(const parvex::Parameter &parameter, double value, const QString &label) = 0;
  // Opens the help window on a numeric help context (0x18008, 0x1800A).
  virtual void ShowHelp(unsigned context) = 0;

  // Pages follow their host from construction to destruction.
  void Follow(CTORVIOPropertyPage *page);
  void Unfollow(CTORVIOPropertyPage *page);

protected:
  // Tells every followed page that the record changed.
  void NotifyPages(const ChangedSettings &changed) const;

private:
  std::vector<CTORVIOPropertyPage *> pages_;
};

// The settings of the registry whose bytes differ between the two records
// (every part of a ranged setting counts).
ChangedSettings ChangesBetween(const UserData &before, const UserData &after);
