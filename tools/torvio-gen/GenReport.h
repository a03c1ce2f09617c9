// Collects the report lines of one generation run and tells which headers
// were written completely.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class GenReport {
public:
  struct Line {
    QString text;
    int severity; // 0 information, 1 error, 2 warning
  };

  void Add(const QString &text, int severity);

  const std::vector<Line> &Lines() const { return lines_; }
  // Headers (base name + ".h") whose exit code was 0, in report order.
  const QStringList &WrittenHeaders() const { return written_; }
  // Exit code lines with a non-zero code.
  int FailedFiles() const { return failed_; }

  // One line for a terminal: errors and warnings marked, coloured when
  // `colour` is set.
  static QString Format(const Line &line, bool colour);

private:
  std::vector<Line> lines_;
  QStringList written_;
  QString current_;
  int failed_ = 0;
};
