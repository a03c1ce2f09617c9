#include "shell/CTORVIOApp.h"

#include "shell/CMainFrame.h"
#include "shell/CTORVIODoc.h"
#include "shell/HelpWindow.h"
#include "shell/ModuleVersion.h"
#include "shell/Prompter.h"
#include "shell/Settings.h"
#include "strings/ResString.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

CTORVIOApp::CTORVIOApp() = default;

CTORVIOApp::~CTORVIOApp() {
  frame_.reset();
  delete torvio::HelpWindow::Existing();
}

void CTORVIOApp::SelectSettingsStore() {
  QCoreApplication::setOrganizationName(QStringLiteral("TORVIO"));
  QCoreApplication::setApplicationName(QStringLiteral("TORVIO"));
}

bool CTORVIOApp::InitInstance(const QStringList &arguments) {
  SelectSettingsStore();
  QCoreApplication::setApplicationVersion(QString::fromStdString(torvio::ProgramVersion()));
  // No display name: the platform would append it to every window title
  // with a separator of its own, beside the " - TORVIO" of the main window.
  QGuiApplication::setDesktopFileName(QStringLiteral("torvio"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("TORVIO: configures field-oriented-control motor firmware."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A project to open (.tvd)."),
                               QStringLiteral("[FILE.tvd]"));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Save a picture of the main window to FILE (PNG) and quit."),
      QStringLiteral("FILE"));
  parser.addOption(screenshot);
  parser.process(arguments);
  const QStringList files = parser.positionalArguments();
  if (files.size() > 1) {
    parser.showHelp(1);
  }

  doc_ = std::make_unique<CTORVIODoc>();
  frame_ = std::make_unique<CMainFrame>(doc_.get());
  const bool opened =
      files.isEmpty() ? doc_->OnNewDocument() : doc_->OnOpenDocument(files.constFirst());
  if (!opened) {
    return false;
  }
  frame_->show();
  if (const QString problem = torvio::SettingsStoreProblem(); !problem.isEmpty()) {
    torvio::Prompts().Message(frame_.get(), problem, torvio::Prompter::Icon::Exclamation,
                              torvio::Prompter::Buttons::Ok);
  }
  if (parser.isSet(screenshot)) {
    TakeScreenshot(parser.value(screenshot));
  }
  return true;
}

void CTORVIOApp::TakeScreenshot(const QString &fileName) {
  // Once the window is laid out, painted and shows the status text.
  QTimer::singleShot(1800, frame_.get(), [this, fileName] {
    const bool saved = frame_->grab().save(fileName, "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
  });
}
