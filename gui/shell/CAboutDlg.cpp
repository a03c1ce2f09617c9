#include "shell/CAboutDlg.h"

#include "keys/DialogKeys.h"
#include "shell/AppIcon.h"
#include "shell/ModuleVersion.h"
#include "strings/ResString.h"

using namespace torvio;

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent), m_version(new QLabel), m_modules(new QListWidget) {
  setWindowTitle(ResString(IDS_ABOUT_CAPTION));
  auto *logo = new QLabel;
  logo->setPixmap(torvio::AppIcon().pixmap(48, 48));
  auto *modulesLabel = new QLabel(ResString(IDS_ABOUT_MODULES));
  modulesLabel->setBuddy(m_modules);
  m_modules->setAccessibleName(modulesLabel->text());
  m_modules->setMinimumSize(280, 80);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);

  auto *top = new QHBoxLayout;
  top->addWidget(logo);
  top->addWidget(m_version, 1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(modulesLabel);
  layout->addWidget(m_modules, 1);
  layout->addWidget(buttons);
  MakeDefault(buttons->button(QDialogButtonBox::Ok));
  connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
  OnInitDialog();
}

void CAboutDlg::OnInitDialog() {
  m_version->setText(ResString(IDS_ABOUT_APPLICATION));
  m_modules->clear();
  m_modules->addItem(ResString(IDS_NOT_AVAILABLE));

  const QString program = QString::fromStdString(torvio::ProgramVersion());
  m_version->setText(ResString(IDS_ABOUT_VERSION).arg(program));
  m_modules->clear();
  const auto add = [this](const QString &module, const QString &version) {
    m_modules->addItem(ResString(IDS_MODULE_VERSION).arg(module, version));
  };
  add(QStringLiteral("torvio"), program);
  for (const char *library : {"libparvex.so", "libsirenta.so"}) {
    const auto version = torvio::LoadedModuleVersion(library);
    if (version) {
      add(QString::fromLatin1(library), QString::fromStdString(*version));
    } else {
      m_modules->addItem(ResString(IDS_MODULE_NOT_AVAILABLE).arg(QString::fromLatin1(library)));
    }
  }
}
