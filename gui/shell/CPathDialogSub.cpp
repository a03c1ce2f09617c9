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
    : QWidget(parent), m_model(new QFileSystemModel(this)), m_status(new QLabel),
      m_edit(new QLineEdit), m_tree(new QTreeView),
      m_ok(new QPushButton(torvio::ResString(torvio::IDS_OK))),
      m_cancel(new QPushButton(torvio::ResString(torvio::IDS_CANCEL))) {
  auto *titleLabel = new QLabel(title);
  titleLabel->setWordWrap(true);
  m_status->hide(); // kept for the path text, never shown
  m_edit->setMaxLength(kMaxPath);
  m_edit->setAccessibleName(title);

  m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
  m_model->setRootPath(QStringLiteral("/"));
  m_tree->setModel(m_model);
  m_tree->setHeaderHidden(true);
  for (int column = 1; column < m_model->columnCount(); ++column) {
    m_tree->hideColumn(column);
  }
  m_tree->setAccessibleName(torvio::ResString(torvio::IDS_FOLDERS));
  m_tree->setMinimumSize(320, 300);

  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(m_ok);
  buttons->addWidget(m_cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(titleLabel);
  layout->addWidget(m_status);
  layout->addWidget(m_edit);
  layout->addSpacing(4);
  layout->addWidget(m_tree, 1);
  layout->addLayout(buttons);

  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &CPathDialogSub::OnSelectionChanged);
  connect(m_edit, &QLineEdit::textChanged, this, &CPathDialogSub::OnEditChanged);
  connect(m_ok, &QPushButton::clicked, this, &CPathDialogSub::OnOK);
  connect(m_cancel, &QPushButton::clicked, this, &CPathDialogSub::cancelled);
  m_ok->setEnabled(false);
}

void CPathDialogSub::SelectFolder(const QString &folder) {
  const QString path = folder.isEmpty() ? QDir::currentPath() : QDir::cleanPath(folder);
  const QModelIndex index = m_model->index(path);
  if (index.isValid()) {
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
  }
}

void CPathDialogSub::OnSelectionChanged() {
  QString path = m_model->filePath(m_tree->currentIndex());
  // Only items of the file system tree give a folder.
  if (!path.startsWith(u'/')) {
    path.clear();
  }
  m_ok->setEnabled(!path.isEmpty());
  m_status->setText(path);
  m_edit->setText(path);
}

void CPathDialogSub::OnEditChanged(const QString &text) {
  m_result = text.left(kMaxPath);
  m_ok->setEnabled(!text.isEmpty());
}

void CPathDialogSub::OnOK() {
  m_result = m_edit->text().left(kMaxPath);
  if (torvio::ValidateFolder(m_result, this) == torvio::FolderOk) {
    emit confirmed();
  } else {
    m_edit->setFocus();
  }
}
