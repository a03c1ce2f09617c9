#include "shell/COptionsDlg.h"

#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/StringTable.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
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
      m_templatesBrowse(new QPushButton(tr("Browse"))),
      m_outputBrowse(new QPushButton(tr("Browse"))) {
  setWindowTitle(tr("Options"));
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(FolderGroup(tr("Templates Directory"), m_templates, m_templatesBrowse));
  layout->addWidget(FolderGroup(tr("Output Directory"), m_output, m_outputBrowse));
  layout->addWidget(buttons);
  // Tab order as the dialog always had it: the buttons first, then the rows.
  setTabOrder(buttons->button(QDialogButtonBox::Ok), buttons->button(QDialogButtonBox::Cancel));
  setTabOrder(buttons->button(QDialogButtonBox::Cancel), m_templates);
  setTabOrder(m_templates, m_templatesBrowse);
  setTabOrder(m_templatesBrowse, m_output);
  setTabOrder(m_output, m_outputBrowse);

  const torvio::Folders folders = torvio::ReadFolders();
  m_templates->setText(folders.templatesDir);
  m_output->setText(folders.outputDir);

  connect(buttons, &QDialogButtonBox::accepted, this, &COptionsDlg::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionsDlg::reject);
  connect(m_templatesBrowse, &QPushButton::clicked, this,
          [this] { Browse(m_templates, tr("Select the templates directory")); });
  connect(m_outputBrowse, &QPushButton::clicked, this,
          [this] { Browse(m_output, tr("Select the output directory")); });
}

void COptionsDlg::accept() {
  torvio::WriteFolders({WithSeparator(m_templates->text()), WithSeparator(m_output->text())});
  QDialog::accept();
}

void COptionsDlg::Browse(QLineEdit *edit, const QString &title) {
  const auto chosen = torvio::Prompts().BrowseFolder(
      this, QString::fromLatin1(torvio::LoadResString(torvio::IDS_APP_TITLE)), title, edit->text());
  if (chosen) {
    edit->setText(*chosen);
  }
}
