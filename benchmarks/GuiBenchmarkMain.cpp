// The main of every benchmark that drives widgets: an offscreen application
// with the C locale and the program's own settings names.
#include <QApplication>
#include <QLocale>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("TORVIO"));
  QCoreApplication::setApplicationName(QStringLiteral("TORVIO"));
  QLocale::setDefault(QLocale::c());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return EXIT_FAILURE;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return EXIT_SUCCESS;
}
