#include "shell/CLogDialog.h"

#include "shell/CColorListBox.h"
#include "shell/ResString.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

QColor CLogDialog::SeverityColor(const QString &line) {
  if (line.startsWith(u'1')) {
    return QColor(255, 0, 0);
  }
  if (line.startsWith(u'2')) {
    return QColor(0, 0, 255);
  }
  return QColor(0, 0, 0);
}

CLogDialog::CLogDialog(const QStringList *lines, QWidget *parent)
    : QDialog(parent), m_list(new CColorListBox),
      m_close(new QPushButton(torvio::ResString(torvio::IDS_LOG_CLOSE))) {
  setWindowTitle(torvio::ResString(torvio::IDS_LOG_CAPTION));
  m_list->setAccessibleName(windowTitle());
  m_close->setDefault(true);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_close);
  buttons->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(buttons);
  resize(640, 360);
  connect(m_close, &QPushButton::clicked, this, &CLogDialog::accept);

  if (lines) {
    for (const QString &line : *lines) {
      const int index = m_list->AddString(line.mid(1));
      if (index >= 0) {
        m_list->SetItemColor(index, SeverityColor(line));
      }
    }
  }
}

void CLogDialog::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (m_list->count() > 0) {
    m_list->SetTopIndex(m_list->count() - 1);
  }
}
