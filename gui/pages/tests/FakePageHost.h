// A sheet stand-in for page tests: owns a default record and records what
// the page asked of it, with the record as it was when the page marked the
// document modified (the last step of every commit).
#pragma once

#include "pages/PageHost.h"

#include <QLocale>

#include <functional>
#include <vector>

class FakePageHost : public PageHost {
public:
  FakePageHost() {
    QLocale::setDefault(QLocale::c());
    PARVEX_SetDefault(&data);
  }

  UserData *Record() override { return &data; }
  void SetModifiedFlag() override {
    ++modified;
    atModified = data;
    rebuildsBeforeModified = rebuilds;
    if (onModified)
      onModified();
  }
  void RebuildPages() override {
    ++rebuilds;
    if (onRebuild)
      onRebuild();
  }
  void ShowHelp(unsigned context) override { help.push_back(context); }

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
