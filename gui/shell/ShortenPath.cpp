#include "shell/ShortenPath.h"

namespace torvio {

QString ShortenPath(const QString &path, int limit) {
  if (path.size() <= limit) {
    return path;
  }
  if (limit <= 3) {
    return {};
  }
  // The root "/" stands where a drive root "X:\" stood.
  const QString root = path.left(1);
  const QString rest = path.mid(1);
  QString candidate;
  for (qsizetype slash = rest.indexOf(u'/'); slash >= 0; slash = rest.indexOf(u'/', slash + 1)) {
    candidate = root + QStringLiteral("...") + rest.mid(slash);
    if (candidate.size() < limit) {
      return candidate;
    }
  }
  return candidate;
}

} // namespace torvio
