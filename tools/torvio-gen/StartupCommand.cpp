#include "StartupCommand.h"

#include "GenExitCodes.h"
#include "ProjectSource.h"
#include "Terminal.h"
#include "parvex/StartupSimulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

int RunSimulateStartup(const GenOptions &o) {
  const std::optional<torvio::ProjectContents> project = LoadSource(o);
  if (!project)
    return gen::kBadCommand;
  namespace pa = parvex::analysis;
  const std::string notApplicable = pa::StartupNotApplicable(project->data);
  if (!notApplicable.empty()) {
    const std::string line = notApplicable + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return gen::kDone;
  }
  if (!project->mechanics)
    return Fail(QStringLiteral("--simulate-startup needs the inertia (--inertia J, or a project "
                               "saved with its mechanics)"));
  pa::StartupOptions options;
  if (!std::isnan(o.rotorAngle))
    options.rotorAngle = o.rotorAngle;
  const pa::StartupResult result = pa::SimulateStartup(project->data, *project->mechanics, options);
  const bool csv = o.explainFormat == GenOptions::ExplainFormat::Csv && result.notSimulated.empty();
  const std::string text = csv ? pa::StartupCsv(result) : pa::StartupText(result);
  std::fwrite(text.data(), 1, text.size(), stdout);
  const bool flagged = std::any_of(result.findings.begin(), result.findings.end(),
                                   [](const auto &f) { return f.level == pa::Level::Flag; });
  return flagged ? gen::kFailed : gen::kDone;
}
