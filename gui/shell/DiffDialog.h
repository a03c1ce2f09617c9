// What a generation would change, file by file: its status, then the
// unified diff of each file that changes, coloured in a read-only monospace
// view. Serves Tools > Preview Generation and the hand-edit question's
// Show Differences.
#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QPlainTextEdit;
class QPushButton;

namespace torvio {

struct FileDifference {
  QString name;   // "MC_Hall_prm.h"
  QString status; // "would be updated"
  QString diff;   // unified diff text; empty when the file does not change
};

class DiffDialog : public QDialog {
  Q_OBJECT

public:
  DiffDialog(const QString &title, const QString &summary, const std::vector<FileDifference> &files,
             QWidget *parent = nullptr);

  QPlainTextEdit *Text() const { return text_; }
  QPushButton *CloseButton() const { return close_; }

  // The colour a diff line is shown in: additions green, removals red,
  // hunk headers blue, everything else the text colour (invalid).
  static QColor LineColor(const QString &line);

private:
  QPlainTextEdit *text_;
  QPushButton *close_;
};

} // namespace torvio
