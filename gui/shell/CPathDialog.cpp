#include "shell/CPathDialog.h"

#include "keys/DialogKeys.h"
#include "shell/CPathDialogSub.h"

#include <QPushButton>

#include <QVBoxLayout>

CPathDialog::CPathDialog(const QString &caption, const QString &title, const QString &initialFolder,
                         QWidget *parent)
    : QDialog(parent), m_browser(new CPathDialogSub(title)), m_initialFolder(initialFolder) {
  setWindowTitle(caption);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_browser);
  torvio::MakeDefault(m_browser->OkButton());
  connect(m_browser, &CPathDialogSub::confirmed, this, [this] {
    m_done = true;
    m_path = m_browser->Result();
    accept();
  });
  connect(m_browser, &CPathDialogSub::cancelled, this, &CPathDialog::reject);
}

int CPathDialog::DoModal() {
  m_done = false;
  m_browser->SelectFolder(m_initialFolder);
  exec();
  return m_done ? QDialog::Accepted : QDialog::Rejected;
}
