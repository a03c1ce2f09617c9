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
    : QDialog(parent), m_templates(new QLineEdit), m_output(new QLineEdit),
      m_templatesBrowse(new QPushButton(torvio::ResString(torvio::IDS_BROWSE))),
      m_outputBrowse(new QPushButton(torvio::ResString(torvio::IDS_BROWSE))),
      m_rawNote(new QLabel(torvio::ResString(torvio::IDS_FOLDER_RAW_BYTES))) {
  setWindowTitle(torvio::ResString(torvio::IDS_OPTIONS_CAPTION));
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(FolderGroup(torvio::ResString(torvio::IDS_TEMPLATES_DIRECTORY), m_templates,
                                m_templatesBrowse));
  layout->addWidget(
      FolderGroup(torvio::ResString(torvio::IDS_OUTPUT_DIRECTORY), m_output, m_outputBrowse));
  m_rawNote->setWordWrap(true);
  layout->addWidget(m_rawNote);
  layout->addWidget(buttons);
  torvio::MakeDefault(buttons->button(QDialogButtonBox::Ok));
  // Tab order as the dialog always had it: the buttons first, then the rows.
  setTabOrder(buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel));
  setTabOrder(buttons->button(QDialogButtonBox::Cancel), m_templates);
  setTabOrder(m_templates, m_templatesBrowse);
  setTabOrder(m_templatesBrowse, m_output);
  setTabOrder(m_output, m_outputBrowse);

  const torvio::Folders folders = torvio::ReadFolders();
  m_templatesRead = folders.templatesDir;
  m_outputRead = folders.outputDir;
  m_templates->setText(torvio::ShownPath(m_templatesRead));
  m_output->setText(torvio::ShownPath(m_outputRead));
  m_rawNote->setVisible(torvio::PathHoldsRawBytes(m_templatesRead) ||
                        torvio::PathHoldsRawBytes(m_outputRead));

  connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
  connect(m_templatesBrowse, &QPushButton::clicked, this,
          [this] { Browse(m_templates, torvio::ResString(torvio::IDS_SELECT_TEMPLATES_DIR)); });
  connect(m_outputBrowse, &QPushButton::clicked, this,
          [this] { Browse(m_output, torvio::ResString(torvio::IDS_SELECT_OUTPUT_DIR)); });
}

void COptionsDlg::accept() {
  // An escaped folder left as shown is the folder read, bytes and all.
  const auto folder = [](const QLineEdit *edit, const QString &read) {
    return WithSeparator(edit->text() == torvio::ShownPath(read) ? read : edit->text());
  };
  torvio::WriteFolders({folder(m_templates, m_templatesRead), folder(m_output, m_outputRead)});
  QDialog::accept();
}

void COptionsDlg::Browse(QLineEdit *edit, const QString &title) {
  const auto chosen = torvio::Prompts().BrowseFolder(this, torvio::ResString(torvio::IDS_APP_TITLE),
                                                     title, edit->text());
  if (chosen) {
    edit->setText(*chosen);
  }
}
