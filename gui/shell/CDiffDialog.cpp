#include "shell/CDiffDialog.h"

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

QColor CDiffDialog::LineColor(const QString &line) {
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

CDiffDialog::CDiffDialog(const QString &title, const QString &summary,
                         const std::vector<FileDifference> &files, QWidget *parent)
    : QDialog(parent), m_text(new QPlainTextEdit),
      m_close(new QPushButton(ResString(IDS_LOG_CLOSE))) {
  setWindowTitle(title);
  auto *heading = new QLabel(summary);
  heading->setWordWrap(true);
  m_text->setReadOnly(true);
  m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_text->setAccessibleName(title);
  m_text->setAccessibleDescription(summary);
  connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

  // Statuses first, then the diffs, each line in its colour.
  QTextCursor cursor(m_text->document());
  QTextCharFormat plain;
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  const auto append = [&](const QString &line, const QTextCharFormat &format) {
    if (!m_text->document()->isEmpty())
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
  m_text->moveCursor(QTextCursor::Start);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_close);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(m_text, 1);
  layout->addLayout(buttons);
  MakeDefault(m_close);
  resize(820, 560);
}

} // namespace torvio
