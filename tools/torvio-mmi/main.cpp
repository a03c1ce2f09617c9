// torvio-mmi: the maximum modulation index for one set of PWM timing settings.
#include <QCoreApplication>
#include <QTextStream>

#include "MmiCommandLine.h"
#include "MmiReport.h"

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("torvio-mmi"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TORVIO_VERSION));
  QTextStream out(stdout);
  QTextStream err(stderr);

  const MmiCommandLine command = ParseMmiCommandLine(QCoreApplication::arguments());
  switch (command.action) {
  case MmiCommandLine::Action::ShowHelp:
    out << command.helpText;
    return 0;
  case MmiCommandLine::Action::ShowVersion:
    out << "torvio-mmi " << QCoreApplication::applicationVersion() << "\n";
    return 0;
  case MmiCommandLine::Action::Fail:
    err << "torvio-mmi: " << command.error << "\n"
        << "Try 'torvio-mmi --help' for the options.\n";
    return 2;
  case MmiCommandLine::Action::Run:
    break;
  }

  const MmiReport report = ComputeMmiReport(command.overrides);
  out << report.text;
  return report.valid ? 0 : 2;
}
