#include "parvex/ControllerAnalysis.h"

#include "CurrentLoop.h"
#include "CurrentLoopRows.h"
#include "ObserverRows.h"
#include "Scaling.h"
#include "SpeedAnalysis.h"

namespace parvex::analysis {

const char *LevelName(Level level) {
  switch (level) {
  case Level::Ok:
    return "ok";
  case Level::Note:
    return "note";
  case Level::Flag:
    return "flag";
  }
  return "?";
}

ControllerAnalysis Analyse(const UserData &record, const AnalysisOptions &options) {
  ControllerAnalysis a;
  a.scaling = ScalingOf(record);
  a.rows = CurrentGainRows(record, a.scaling);
  for (GainRow &row : ObserverGainRows(record, a.scaling))
    a.rows.push_back(std::move(row));
  for (GainRow &row : ScalingFactorRows(record))
    a.rows.push_back(std::move(row));
  a.rows.push_back(ModulationIndexRow(record, a.scaling));

  a.loops.push_back(AnalyseLoop(record, a.scaling, Axis::Q, options));
  a.loops.push_back(AnalyseLoop(record, a.scaling, Axis::D, options));
  a.speed = AnalyseSpeedLoop(record, a.scaling, a.loops[0], options, a.rows);

  for (const GainRow &row : a.rows)
    if (row.level != Level::Ok)
      a.findings.push_back({row.level, row.quantity, row.reason});
  for (const LoopFigures &loop : a.loops)
    if (loop.level != Level::Ok)
      a.findings.push_back({loop.level, loop.axis + " current loop", loop.reason});
  if (a.speed.level != Level::Ok)
    a.findings.push_back({a.speed.level, "speed loop", a.speed.reason});
  return a;
}

} // namespace parvex::analysis
