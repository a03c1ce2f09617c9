#include "ReportFormat.h"

#include "Terminal.h"

QString FormatReportLine(const parvex::ReportLine &line, bool colour) {
  // The lines name folders as the bytes they are.
  const QString text = PathFromBytes(line.text);
  QString mark;
  QString start;
  if (line.severity == parvex::Severity::Error) {
    mark = QStringLiteral("error: ");
    start = QStringLiteral("\x1b[31m");
  } else if (line.severity == parvex::Severity::Warning) {
    mark = QStringLiteral("warning: ");
    start = QStringLiteral("\x1b[34m");
  }
  // "Warning : ..." already says what it is.
  if (text.startsWith(QStringLiteral("warning"), Qt::CaseInsensitive) ||
      text.startsWith(QStringLiteral("error"), Qt::CaseInsensitive))
    mark.clear();
  if (!colour || start.isEmpty())
    return mark + text;
  return start + mark + text + QStringLiteral("\x1b[0m");
}
