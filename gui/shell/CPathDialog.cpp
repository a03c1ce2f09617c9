#include "shell/CPathDialog.h"

#include "keys/DialogKeys.h"
#include "shell/CPathDialogSub.h"

#include <QPushButton>

#include <QVBoxLayout>

CPathDialog::CPathDialog(const QString &caption, const QString &title, const QString &initialFolder,
                         QWidget *parent)
    : QDialog(parent), browser_(new CPathDialogSub(title)), initialFolder_(initialFolder) {
  setWindowTitle(caption);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  torvio::MakeDefault(browser_->OkButton());
  connect(browser_, &CPathDialogSub::confirmed, this, [this] {
    done_ = true;
    path_ = browser_->Result();
    accept();
  });
  connect(browser_, &CPathDialogSub::cancelled, this, &CPathDialog::reject);
}

int CPathDialog::DoModal() {
  done_ = false;
  browser_->SelectFolder(initialFolder_);
  exec();
  return done_ ? QDialog::Accepted : QDialog::Rejected;
}
