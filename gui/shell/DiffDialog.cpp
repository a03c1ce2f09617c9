#include "shell/DiffDialog.h"

#include "keys/DialogKeys.h"
#include "strings/ResString.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QVBoxLayout>

namespace torvio {

QColor DiffDialog::LineColor(const QString &line) {
  if (line.startsWith(QStringLiteral("+++")) || line.startsWith(QStringLiteral("---")))
    return {};
  if (line.startsWith(u'+'))
    return QColor(0, 128, 0);
  if (line.startsWith(u'-'))
    return QColor(192, 0, 0);
  if (line.startsWith(QStringLiteral("@@")))
    return QColor(0, 0, 192);
  return {};
}

DiffDialog::DiffDialog(const QString &title, const QString &summary,
                       const std::vector<FileDifference> &files, QWidget *parent)
    : QDialog(parent), text_(new QPlainTextEdit),
      close_(new QPushButton(ResString(IDS_LOG_CLOSE))) {
  setWindowTitle(title);
  auto *heading = new QLabel(summary);
  heading->setWordWrap(true);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setAccessibleName(title);
  text_->setAccessibleDescription(summary);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  // Statuses first, then the diffs, each line in its colour.
  QTextCursor cursor(text_->document());
  QTextCharFormat plain;
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  const auto append = [&](const QString &line, const QTextCharFormat &format) {
    if (!text_->document()->isEmpty())
      cursor.insertBlock();
    cursor.insertText(line, format);
  };
  for (const FileDifference &f : files)
    append(f.name + QStringLiteral(" : ") + f.status, plain);
  for (const FileDifference &f : files) {
    if (f.diff.isEmpty())
      continue;
    append(QString(), plain);
    const QStringList lines = f.diff.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
      if (i == lines.size() - 1 && lines[i].isEmpty())
        break; // the text's last line end
      const QColor colour = LineColor(lines[i]);
      if (lines[i].startsWith(QStringLiteral("--- ")) ||
          lines[i].startsWith(QStringLiteral("+++ "))) {
        append(lines[i], bold);
      } else if (colour.isValid()) {
        QTextCharFormat coloured;
        coloured.setForeground(colour);
        append(lines[i], coloured);
      } else {
        append(lines[i], plain);
      }
    }
  }
  text_->moveCursor(QTextCursor::Start);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
  MakeDefault(close_);
  resize(820, 560);
}

} // namespace torvio
