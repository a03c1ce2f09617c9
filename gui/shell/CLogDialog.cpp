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
    : QDialog(parent), m_list(new CColorListBox),
      m_close(new QPushButton(torvio::ResString(torvio::IDS_LOG_CLOSE))) {
  setWindowTitle(torvio::ResString(torvio::IDS_LOG_CAPTION));
  m_list->setAccessibleName(windowTitle());
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_close);
  buttons->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(buttons);
  torvio::MakeDefault(m_close);
  resize(640, 360);
  connect(m_close, &QPushButton::clicked, this, &CLogDialog::accept);

  for (const parvex::ReportLine &line : lines) {
    const int index = m_list->AddString(QString::fromUtf8(line.text));
    if (index >= 0) {
      m_list->SetItemColor(index, SeverityColor(line.severity));
    }
  }
}

void CLogDialog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (m_list->count() > 0) {
    m_list->SetTopIndex(m_list->count() - 1);
  }
}
