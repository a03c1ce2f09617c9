#include "shell/ShortenPath.h"

#include <algorithm>

namespace torvio {

namespace {

// No status text needs more: a longer tail is cut on the left.
constexpr qsizetype kMostCharacters = 260;

} // namespace

QString ShortenPath(const QString &path, int limit) {
  if (path.size() <= limit) {
    return path;
  }
  if (limit <= 3) {
    return {};
  }
  // The root "/" stands where a drive root "X:\" stood. The candidate from a
  // separator at `slash` of the rest is root + "..." + the rest from there:
  // 4 + rest - slash characters. The first one shorter than the limit starts
  // at the first separator past rest + 4 - limit, found in one pass.
  const QStringView root = QStringView(path).left(1);
  const QStringView rest = QStringView(path).mid(1);
  const qsizetype from = std::max<qsizetype>(0, rest.size() + 5 - limit);
  qsizetype slash = rest.indexOf(u'/', from);
  if (slash < 0)
    slash = rest.lastIndexOf(u'/');
  if (slash < 0)
    return {};
  QStringView tail = rest.mid(slash);
  if (tail.size() > kMostCharacters)
    tail = tail.right(kMostCharacters);
  return root.toString() + QStringLiteral("...") + tail.toString();
}

} // namespace torvio
