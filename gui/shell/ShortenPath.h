// Shortens a long path for the status bar: the root, "...", and the longest
// tail starting at a separator that keeps the text under the limit.
#pragma once

#include <QString>

namespace torvio {

QString ShortenPath(const QString &path, int limit);

} // namespace torvio
