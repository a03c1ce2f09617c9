#include "GenReport.h"

#include <QRegularExpression>

void GenReport::Add(const QString &text, int severity) {
  lines_.push_back({text, severity});
  static const QRegularExpression generating(QStringLiteral("^Generating File : (.*)$"));
  static const QRegularExpression exitCode(QStringLiteral("^Exit code \\[(-?\\d+)\\]"));
  if (const auto m = generating.match(text); m.hasMatch()) {
    current_ = m.captured(1);
    return;
  }
  if (const auto m = exitCode.match(text); m.hasMatch()) {
    if (m.captured(1) == QStringLiteral("0") && !current_.isEmpty())
      written_.append(current_);
    else
      ++failed_;
    current_.clear();
  }
}

QString GenReport::Format(const Line &line, bool colour) {
  QString mark;
  QString start;
  if (line.severity == 1) {
    mark = QStringLiteral("error: ");
    start = QStringLiteral("\x1b[31m");
  } else if (line.severity == 2) {
    mark = QStringLiteral("warning: ");
    start = QStringLiteral("\x1b[34m");
  }
  // "Warning : ..." already says what it is.
  if (line.text.startsWith(QStringLiteral("warning"), Qt::CaseInsensitive) ||
      line.text.startsWith(QStringLiteral("error"), Qt::CaseInsensitive))
    mark.clear();
  if (!colour || start.isEmpty())
    return mark + line.text;
  return start + mark + line.text + QStringLiteral("\x1b[0m");
}
