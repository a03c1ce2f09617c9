#include "CompareDialog.h"

#include "keys/DialogKeys.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CompareDialog::CompareDialog(const QString &openName, const QString &path,
                             const ProjectComparison &comparison, QWidget *parent)
    : QDialog(parent), summary_(new QLabel(this)), list_(new QPlainTextEdit(this)) {
  const QString fileName = QFileInfo(path).fileName();
  setWindowTitle(QStringLiteral("Compare With %1").arg(fileName));
  // The sides are named, so that two files of one name still read apart.
  const QString onDisk = QStringLiteral("%1 on disk").arg(fileName);
  if (!comparison.readable)
    summary_->setText(QStringLiteral("%1 cannot be read: %2").arg(path, comparison.error));
  else if (comparison.lines.isEmpty())
    summary_->setText(QStringLiteral("%1 and %2 hold the same settings.").arg(openName, onDisk));
  else
    summary_->setText(QStringLiteral("%1 setting(s) differ (%2 -> %3):")
                          .arg(comparison.lines.size())
                          .arg(openName, onDisk));
  summary_->setWordWrap(true);
  list_->setReadOnly(true);
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  list_->setPlainText(comparison.lines.join(u'\n'));
  list_->setAccessibleName(QStringLiteral("Differences"));
  list_->setVisible(!comparison.lines.isEmpty());

  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);
  torvio::MakeDefault(buttons->button(QDialogButtonBox::Close));
  resize(comparison.lines.isEmpty() ? 420 : 680, comparison.lines.isEmpty() ? 120 : 420);
}

QString CompareDialog::Summary() const {
  return summary_->text();
}

QString CompareDialog::Text() const {
  return list_->toPlainText();
}
