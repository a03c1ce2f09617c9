// A sheet stand-in for page tests: owns a default record, enters the page's
// edits through the model's rules as the document does, and records what
// happened, with the record as it was when the document would be marked
// modified (the last step of every edit).
#pragma once

#include "pages/CTORVIOPropertyPage.h"
#include "pages/PageHost.h"
#include "parvex/SpeedFeedbackMembers.h"
#include "shell/EnterSetting.h"
#include "shell/SheetPages.h"

#include <QLocale>

#include <functional>
#include <vector>

class FakePageHost : public PageHost {
public:
  FakePageHost() {
    QLocale::setDefault(QLocale::c());
    PARVEX_SetDefault(&data);
  }

  const UserData &Record() const override { return data; }
  void Set(const parvex::Parameter &parameter, double value, const QString &label) override {
    const UserData before = data;
    if (!EnterSetting(data, parameter, value))
      return;
    NotifyPages(ChangesBetween(before, data));
    if (parvex::DecidesSpeedFeedback(parameter) ||
        torvio::SpeedFeedbackPageFor(before) != torvio::SpeedFeedbackPageFor(data) ||
        torvio::AuxSpeedFeedbackPageFor(before) != torvio::AuxSpeedFeedbackPageFor(data)) {
      ++rebuilds;
      if (onRebuild)
        onRebuild();
    }
    ++modified;
    atModified = data;
    rebuildsBeforeModified = rebuilds;
    if (onModified)
      onModified();
    Committed(before, label);
  }
  void ShowHelp(unsigned context) override { help.push_back(context); }
  // Told after every edit: the record before it and the control's label.
  virtual void Committed(const UserData &before, const QString &label) {
    (void)before;
    (void)label;
  }
  // Shows a change made behind the page's back, as the document does.
  void Changed(const UserData &before) { NotifyPages(ChangesBetween(before, data)); }

  UserData data{};
  UserData atModified{};
  int modified = 0;
  int rebuilds = 0;
  int rebuildsBeforeModified = 0;
  std::vector<unsigned> help;
  // Lets a test look at the page at the moment of the mark or the rebuild.
  std::function<void()> onModified;
  std::function<void()> onRebuild;
};
