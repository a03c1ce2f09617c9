// The report lines of the last generation, each a severity digit followed by
// the text, as the message log shows them.
#pragma once

#include <QStringList>

namespace torvio {

QStringList &MessageLines();

} // namespace torvio

// The generator's log callback: appends "<severity><text>" to MessageLines.
void LogMessage(const char *text, int severity);
