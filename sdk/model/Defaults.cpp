#include "model/Defaults.h"

#include "model/ConsistencyRules.h"

#include "parvex/Model.h"
#include "parvex/Parameters.h"

namespace parvex {

namespace {

// Limits that follow other settings, taken from the values just written by
// the same steps the consistency check runs, so the two never disagree. On
// the default values the steps only set limits: every value is within them.
void FillDerivedMembers(UserData &d) {
  LimitCurrentReferences(d);
  LimitSpeedReference(d);
  CoupleMainSpeedFeedback(d);
  CoupleAuxSpeedFeedback(d);
  LimitAlignmentCurrents(d);
}

} // namespace

void WriteDefaultConstants(UserData &data) {
  for (const Parameter &p : Parameters())
    p.Reset(data);
}

void FillDefaults(UserData &data) {
  WriteDefaultConstants(data);
  FillDerivedMembers(data);
  // Their results cannot fail on the defaults and are not needed here.
  CalcTorqueAndFluxGains(data);
  CalcSpeedFeedbackGains(data);
  CalcAuxSpeedFeedbackGains(data);
  CalcModulationIndex(data);
}

} // namespace parvex
