#include "shell/HelpWindow.h"

#include "keys/DialogKeys.h"
#include "strings/ResString.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace torvio {
namespace {

QPointer<HelpWindow> instance;

} // namespace

QString HelpFolder() {
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/help");
  if (QFileInfo::exists(beside + QStringLiteral("/index.html"))) {
    return beside;
  }
  return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/torvio/help"));
}

QString HelpPageFor(unsigned context) {
  switch (context) {
  case kHelpContextFirstRun:
    return QStringLiteral("getting-started.html");
  case kHelpContextSupport:
    return QStringLiteral("support.html");
  default:
    return QStringLiteral("index.html");
  }
}

HelpWindow &HelpWindow::Instance() {
  if (!instance) {
    instance = new HelpWindow;
  }
  return *instance;
}

HelpWindow *HelpWindow::Existing() {
  return instance.data();
}

HelpWindow::HelpWindow() : browser_(new QTextBrowser) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(ResString(IDS_HELP_TITLE));
  CloseOnEscape(this);
  browser_->setOpenExternalLinks(true);
  browser_->setAccessibleName(windowTitle());
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(640, 520);
}

void HelpWindow::ShowContext(unsigned context) {
  ShowPage(HelpPageFor(context));
}

void HelpWindow::ShowContents() {
  ShowPage(HelpPageFor(0));
}

QString HelpWindow::CurrentPage() const {
  return browser_->source().fileName();
}

void HelpWindow::ShowPage(const QString &page) {
  const QString file = HelpFolder() + u'/' + page;
  if (QFileInfo::exists(file)) {
    browser_->setSearchPaths({HelpFolder()});
    browser_->setSource(QUrl::fromLocalFile(file));
  } else {
    browser_->setPlainText(ResString(IDS_HELP_MISSING));
  }
  show();
  raise();
  activateWindow();
}

} // namespace torvio
