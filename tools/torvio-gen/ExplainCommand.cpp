#include "ExplainCommand.h"

#include "ProjectStore.h"
#include "Terminal.h"
#include "parvex.h"
#include "parvex/AnalysisText.h"
#include "parvex/ControllerAnalysis.h"

#include <algorithm>
#include <cstdio>

int RunExplain(const GenOptions &o) {
  UserData data{};
  PARVEX_SetDefault(&data);
  if (!o.projectFile.isEmpty()) {
    const torvio::LoadedProject loaded = torvio::LoadProject(PathBytes(o.projectFile));
    if (!loaded.project)
      return Fail(QStringLiteral("cannot read project %1: %2")
                      .arg(o.projectFile, QString::fromLocal8Bit(loaded.error)));
    // The record as saved: the analysis explains what generation would write.
    data = loaded.project->data;
  }
  const parvex::analysis::ControllerAnalysis analysis = parvex::analysis::Analyse(data);
  const std::string text = o.explainFormat == GenOptions::ExplainFormat::Csv
                               ? parvex::analysis::AnalysisCsv(analysis)
                               : parvex::analysis::AnalysisTable(analysis);
  std::fwrite(text.data(), 1, text.size(), stdout);
  const bool flagged =
      std::any_of(analysis.findings.begin(), analysis.findings.end(),
                  [](const auto &f) { return f.level == parvex::analysis::Level::Flag; });
  return flagged ? 1 : 0;
}
