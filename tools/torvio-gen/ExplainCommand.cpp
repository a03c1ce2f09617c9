#include "ExplainCommand.h"

#include "ProjectSource.h"
#include "Terminal.h"
#include "parvex.h"
#include "parvex/AnalysisText.h"
#include "parvex/ControllerAnalysis.h"

#include <algorithm>
#include <cstdio>

int RunExplain(const GenOptions &o) {
  // The record as saved: the analysis explains what generation would write.
  const std::optional<torvio::ProjectContents> project = LoadSource(o);
  if (!project)
    return 2;
  const UserData &data = project->data;
  // The speed loop too, when the mechanics are known.
  parvex::analysis::AnalysisOptions options;
  options.mechanics = project->mechanics;
  const parvex::analysis::ControllerAnalysis analysis = parvex::analysis::Analyse(data, options);
  const std::string text = o.explainFormat == GenOptions::ExplainFormat::Csv
                               ? parvex::analysis::AnalysisCsv(analysis)
                               : parvex::analysis::AnalysisTable(analysis);
  std::fwrite(text.data(), 1, text.size(), stdout);
  const bool flagged =
      std::any_of(analysis.findings.begin(), analysis.findings.end(),
                  [](const auto &f) { return f.level == parvex::analysis::Level::Flag; });
  return flagged ? 1 : 0;
}
