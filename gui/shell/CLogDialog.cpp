#include "shell/CLogDialog.h"

#include "keys/DialogKeys.h"
#include "shell/CColorListBox.h"
#include "strings/ResString.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QColor CLogDialog::SeverityColor(parvex::Severity severity) {
  switch (severity) {
  case parvex::Severity::Error:
    return QColor(255, 0, 0);
  case parvex::Severity::Warning:
    return QColor(0, 0, 255);
  case parvex::Severity::Information:
    break;
  }
  return QColor(0, 0, 0);
}

CLogDialog::CLogDialog(const std::vector<parvex::ReportLine> &lines, QWidget *parent)
    : QDialog(parent), list_(new CColorListBox),
      close_(new QPushButton(torvio::ResString(torvio::IDS_LOG_CLOSE))) {
  setWindowTitle(torvio::ResString(torvio::IDS_LOG_CAPTION));
  list_->setAccessibleName(windowTitle());
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(close_);
  buttons->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
  torvio::MakeDefault(close_);
  resize(640, 360);
  connect(close_, &QPushButton::clicked, this, &CLogDialog::accept);

  for (const parvex::ReportLine &line : lines) {
    const int index = list_->AddString(QString::fromUtf8(line.text));
    if (index >= 0) {
      list_->SetItemColor(index, SeverityColor(line.severity));
    }
  }
}

void CLogDialog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (list_->count() > 0) {
    list_->SetTopIndex(list_->count() - 1);
  }
}
