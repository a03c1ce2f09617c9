// Lists of reasons in a message box: the first twenty, one per line, then
// how many more, so that a box for a badly broken file stays readable.
#pragma once

#include "strings/ResString.h"

#include <QStringList>

#include <string>
#include <vector>

namespace torvio {

inline QString MessageLines(const std::vector<std::string> &lines) {
  constexpr std::size_t kMostShown = 20;
  QStringList shown;
  for (std::size_t i = 0; i < lines.size() && i < kMostShown; ++i)
    shown << QString::fromStdString(lines[i]);
  if (lines.size() > kMostShown)
    shown << ResString(IDS_IMPLAUSIBLE_MORE).arg(lines.size() - kMostShown);
  return shown.join(u'\n');
}

} // namespace torvio
