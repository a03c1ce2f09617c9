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
  m_frame.reset();
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

  m_doc = std::make_unique<CTORVIODoc>();
  m_frame = std::make_unique<CMainFrame>(m_doc.get());
  const bool opened =
      files.isEmpty() ? m_doc->OnNewDocument() : m_doc->OnOpenDocument(files.constFirst());
  if (!opened) {
    return false;
  }
  m_frame->show();
  if (const QString problem = torvio::SettingsStoreProblem(); !problem.isEmpty()) {
    torvio::Prompts().Message(m_frame.get(), problem, torvio::Prompter::Icon::Exclamation,
                              torvio::Prompter::Buttons::Ok);
  }
  if (parser.isSet(screenshot)) {
    TakeScreenshot(parser.value(screenshot));
  }
  return true;
}

void CTORVIOApp::TakeScreenshot(const QString &fileName) {
  // Once the window is laid out, painted and shows the status text.
  QTimer::singleShot(1800, m_frame.get(), [this, fileName] {
    const bool saved = m_frame->grab().save(fileName, "PNG");
    QCoreApplication::exit(saved ? 0 : 1);
  });
}
