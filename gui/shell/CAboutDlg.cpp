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
    : QDialog(parent), version_(new QLabel), modules_(new QListWidget) {
  setWindowTitle(ResString(IDS_ABOUT_CAPTION));
  auto *logo = new QLabel;
  logo->setPixmap(torvio::AppIcon().pixmap(48, 48));
  auto *modulesLabel = new QLabel(ResString(IDS_ABOUT_MODULES));
  modulesLabel->setBuddy(modules_);
  modules_->setAccessibleName(modulesLabel->text());
  modules_->setMinimumSize(280, 80);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);

  auto *top = new QHBoxLayout;
  top->addWidget(logo);
  top->addWidget(version_, 1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(modulesLabel);
  layout->addWidget(modules_, 1);
  layout->addWidget(buttons);
  MakeDefault(buttons->button(QDialogButtonBox::Ok));
  connect(buttons, &QDialogButtonBox::accepted, this, &CAboutDlg::accept);
  OnInitDialog();
}

void CAboutDlg::OnInitDialog() {
  version_->setText(ResString(IDS_ABOUT_APPLICATION));
  modules_->clear();
  modules_->addItem(ResString(IDS_NOT_AVAILABLE));

  const QString program = QString::fromStdString(torvio::ProgramVersion());
  version_->setText(ResString(IDS_ABOUT_VERSION).arg(program));
  modules_->clear();
  const auto add = [this](const QString &module, const QString &version) {
    modules_->addItem(ResString(IDS_MODULE_VERSION).arg(module, version));
  };
  add(QStringLiteral("torvio"), program);
  for (const char *library : {"libparvex.so", "libsirenta.so"}) {
    const auto version = torvio::LoadedModuleVersion(library);
    if (version) {
      add(QString::fromLatin1(library), QString::fromStdString(*version));
    } else {
      modules_->addItem(ResString(IDS_MODULE_NOT_AVAILABLE).arg(QString::fromLatin1(library)));
    }
  }
}
