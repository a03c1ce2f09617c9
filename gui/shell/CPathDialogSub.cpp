#include "shell/CPathDialogSub.h"

#include "shell/FolderPath.h"
#include "strings/ResString.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

CPathDialogSub::CPathDialogSub(const QString &title, QWidget *parent)
    : QWidget(parent), model_(new QFileSystemModel(this)), status_(new QLabel),
      edit_(new QLineEdit), tree_(new QTreeView),
      ok_(new QPushButton(torvio::ResString(torvio::IDS_OK))),
      cancel_(new QPushButton(torvio::ResString(torvio::IDS_CANCEL))) {
  auto *titleLabel = new QLabel(title);
  titleLabel->setWordWrap(true);
  status_->hide(); // kept for the path text, never shown
  edit_->setMaxLength(kMaxPath);
  edit_->setAccessibleName(title);

  model_->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  model_->setRootPath(QStringLiteral("/"));
  tree_->setModel(model_);
  tree_->setHeaderHidden(true);
  for (int column = 1; column < model_->columnCount(); ++column) {
    tree_->hideColumn(column);
  }
  tree_->setAccessibleName(torvio::ResString(torvio::IDS_FOLDERS));
  tree_->setMinimumSize(320, 300);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(titleLabel);
  layout->addWidget(status_);
  layout->addWidget(edit_);
  layout->addSpacing(4);
  layout->addWidget(tree_, 1);
  layout->addLayout(buttons);

  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &CPathDialogSub::OnSelectionChanged);
  connect(edit_, &QLineEdit::textChanged, this, &CPathDialogSub::OnEditChanged);
  connect(ok_, &QPushButton::clicked, this, &CPathDialogSub::OnOK);
  connect(cancel_, &QPushButton::clicked, this, &CPathDialogSub::cancelled);
  ok_->setEnabled(false);
}

void CPathDialogSub::SelectFolder(const QString &folder) {
  const QString path = folder.isEmpty() ? QDir::currentPath() : QDir::cleanPath(folder);
  const QModelIndex index = model_->index(path);
  if (index.isValid()) {
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
  }
}

void CPathDialogSub::OnSelectionChanged() {
  QString path = model_->filePath(tree_->currentIndex());
  // Only items of the file system tree give a folder.
  if (!path.startsWith(u'/')) {
    path.clear();
  }
  ok_->setEnabled(!path.isEmpty());
  status_->setText(path);
  edit_->setText(path);
}

void CPathDialogSub::OnEditChanged(const QString &text) {
  result_ = text.left(kMaxPath);
  ok_->setEnabled(!text.isEmpty());
}

void CPathDialogSub::OnOK() {
  result_ = edit_->text().left(kMaxPath);
  if (torvio::ValidateFolder(result_, this) == torvio::FolderOk) {
    emit confirmed();
  } else {
    edit_->setFocus();
  }
}
