#include "ControllerAnalysis.h"

#include "CurrentLoopRows.h"
#include "ObserverRows.h"
#include "Scaling.h"

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

ControllerAnalysis Analyse(const UserData &record) {
  ControllerAnalysis a;
  a.scaling = ScalingOf(record);
  a.rows = CurrentGainRows(record, a.scaling);
  for (GainRow &row : ObserverGainRows(record, a.scaling))
    a.rows.push_back(std::move(row));
  for (GainRow &row : ScalingFactorRows(record))
    a.rows.push_back(std::move(row));
  a.rows.push_back(ModulationIndexRow(record, a.scaling));

  for (const GainRow &row : a.rows)
    if (row.level != Level::Ok)
      a.findings.push_back({row.level, row.quantity, row.reason});
  return a;
}

} // namespace parvex::analysis
