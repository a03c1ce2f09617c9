#include "shell/COptionsDlg.h"

#include "keys/DialogKeys.h"
#include "shell/PathBytes.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString WithSeparator(QString folder) {
  if (!folder.isEmpty() && !folder.endsWith(u'/')) {
    folder += u'/';
  }
  return folder;
}

// A framed folder row: the edit and its Browse button.
QGroupBox *FolderGroup(const QString &caption, QLineEdit *edit, QPushButton *browse) {
  auto *group = new QGroupBox(caption);
  auto *row = new QHBoxLayout(group);
  edit->setAccessibleName(caption);
  edit->setMinimumWidth(480);
  browse->setAccessibleName(caption + QStringLiteral(" Browse"));
  row->addWidget(edit, 1);
  row->addWidget(browse);
  return group;
}

} // namespace

COptionsDlg::COptionsDlg(QWidget *parent)
    : QDialog(parent), templates_(new QLineEdit), output_(new QLineEdit),
      templatesBrowse_(new QPushButton(torvio::ResString(torvio::IDS_BROWSE))),
      outputBrowse_(new QPushButton(torvio::ResString(torvio::IDS_BROWSE))),
      rawNote_(new QLabel(torvio::ResString(torvio::IDS_FOLDER_RAW_BYTES))) {
  setWindowTitle(torvio::ResString(torvio::IDS_OPTIONS_CAPTION));
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(FolderGroup(torvio::ResString(torvio::IDS_TEMPLATES_DIRECTORY), templates_,
                                templatesBrowse_));
  layout->addWidget(
      FolderGroup(torvio::ResString(torvio::IDS_OUTPUT_DIRECTORY), output_, outputBrowse_));
  rawNote_->setWordWrap(true);
  layout->addWidget(rawNote_);
  layout->addWidget(buttons);
  torvio::MakeDefault(buttons->button(QDialogButtonBox::Ok));
  // Tab order as the dialog always had it: the buttons first, then the rows.
  setTabOrder(buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel));
  setTabOrder(buttons->button(QDialogButtonBox::Cancel), templates_);
  setTabOrder(templates_, templatesBrowse_);
  setTabOrder(templatesBrowse_, output_);
  setTabOrder(output_, outputBrowse_);

  const torvio::Folders folders = torvio::ReadFolders();
  templatesRead_ = folders.templatesDir;
  outputRead_ = folders.outputDir;
  templates_->setText(torvio::ShownPath(templatesRead_));
  output_->setText(torvio::ShownPath(outputRead_));
  rawNote_->setVisible(torvio::PathHoldsRawBytes(templatesRead_) ||
                       torvio::PathHoldsRawBytes(outputRead_));

  connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
  connect(templatesBrowse_, &QPushButton::clicked, this,
          [this] { Browse(templates_, torvio::ResString(torvio::IDS_SELECT_TEMPLATES_DIR)); });
  connect(outputBrowse_, &QPushButton::clicked, this,
          [this] { Browse(output_, torvio::ResString(torvio::IDS_SELECT_OUTPUT_DIR)); });
}

void COptionsDlg::accept() {
  // An escaped folder left as shown is the folder read, bytes and all.
  const auto folder = [](const QLineEdit *edit, const QString &read) {
    return WithSeparator(edit->text() == torvio::ShownPath(read) ? read : edit->text());
  };
  torvio::WriteFolders({folder(templates_, templatesRead_), folder(output_, outputRead_)});
  QDialog::accept();
}

void COptionsDlg::Browse(QLineEdit *edit, const QString &title) {
  const auto chosen = torvio::Prompts().BrowseFolder(this, torvio::ResString(torvio::IDS_APP_TITLE),
                                                     title, edit->text());
  if (chosen) {
    edit->setText(*chosen);
  }
}
