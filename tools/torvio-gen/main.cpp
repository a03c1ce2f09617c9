// torvio-gen: the headers of a project (or of the default configuration)
// from the command line, and the project tools beside it.
#include "DiffCommand.h"
#include "ExplainCommand.h"
#include "GenCommandLine.h"
#include "GenerateCommand.h"
#include "ScriptCommand.h"
#include "StartupCommand.h"
#include "Terminal.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
  QCoreApplication app(argc, argv);
  const GenCommandLine command = ParseGenCommandLine(
      ArgumentsOf(argc, argv), BundledTemplatesDir(QCoreApplication::applicationDirPath()));
  if (command.outcome == GenCommandLine::Outcome::ShowText) {
    const std::string text = PathBytes(command.text);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  if (command.outcome == GenCommandLine::Outcome::Error)
    return Fail(command.text + QStringLiteral(" (try --help)"));
  const GenOptions &o = command.options;
  if (!o.diffFiles.isEmpty())
    return RunDiff(o.diffFiles);
  if (o.explain)
    return RunExplain(o);
  if (o.simulateStartup)
    return RunSimulateStartup(o);
  if (o.Scripted())
    return RunScript(o);
  if (!o.saveDefault.isEmpty())
    return RunSaveDefault(o);
  return RunGenerate(o);
}
