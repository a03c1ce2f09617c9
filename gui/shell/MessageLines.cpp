#include "shell/MessageLines.h"

namespace torvio {

QStringList &MessageLines() {
  static QStringList lines;
  return lines;
}

} // namespace torvio

void LogMessage(const char *text, int severity) {
  torvio::MessageLines().append(QString::number(severity) + QString::fromUtf8(text ? text : ""));
}
