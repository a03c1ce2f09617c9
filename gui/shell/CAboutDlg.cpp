#include "shell/CAboutDlg.h"

#include "shell/AppIcon.h"
#include "shell/ModuleVersion.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent), m_version(new QLabel), m_modules(new QListWidget) {
  setWindowTitle(tr("About TORVIO"));
  auto *logo = new QLabel;
  logo->setPixmap(torvio::AppIcon().pixmap(48, 48));
  auto *modulesLabel = new QLabel(tr("Application Modules"));
  modulesLabel->setBuddy(m_modules);
  m_modules->setAccessibleName(modulesLabel->text());
  m_modules->setMinimumSize(280, 80);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);

  auto *top = new QHBoxLayout;
  top->addWidget(logo);
  top->addWidget(m_version, 1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(modulesLabel);
  layout->addWidget(m_modules, 1);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
  OnInitDialog();
}

void CAboutDlg::OnInitDialog() {
  m_version->setText(tr("TORVIO Application"));
  m_modules->clear();
  m_modules->addItem(tr("Not Available"));

  const QString program = QString::fromStdString(torvio::ProgramVersion());
  m_version->setText(tr("TORVIO ver. %1").arg(program));
  m_modules->clear();
  const auto add = [this](const QString &module, const QString &version) {
    m_modules->addItem(tr("%1 ver. %2").arg(module, version));
  };
  add(QStringLiteral("torvio"), program);
  for (const char *library : {"libparvex.so", "libsirenta.so"}) {
    const auto version = torvio::LoadedModuleVersion(library);
    if (version) {
      add(QString::fromLatin1(library), QString::fromStdString(*version));
    } else {
      m_modules->addItem(tr("%1 Not Available").arg(QString::fromLatin1(library)));
    }
  }
}
