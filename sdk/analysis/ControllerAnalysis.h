// The controller analysis of a record: every integer gain TORVIO computes
// (current controllers, sensorless observer and PLL, observer scalings,
// modulation index), shown beside the value it was meant to be and its
// physical meaning. Qt-free.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <string>
#include <vector>

namespace parvex::analysis {

// Ok: nothing to do. Note: worth knowing, no action needed. Flag: the
// firmware will not behave as designed (or not build) until fixed.
enum class Level { Ok, Note, Flag };

// "ok", "note", "flag".
const char *LevelName(Level level);

// A physical value; imaginary is non-zero only for a complex pole.
struct Quantity {
  std::string name;
  double value = 0;
  std::string unit;
  double imaginary = 0;
};

// One computed gain: what it was meant to be, what the header holds, and
// what that means physically.
struct GainRow {
  std::string quantity;    // "Torque proportional gain"
  std::string header;      // "MC_Control_Param.h"
  std::string definitions; // "PID_TORQUE_KP_DEFAULT / TF_KPDIV"
  double exact = 0;        // the quotient before truncation, from the record's inputs
  std::int64_t dividend = 0;
  std::int64_t divisor = 1; // 1 for a definition without a divisor
  double written = 0;       // dividend / divisor, NaN for a zero divisor
  double relativeError = 0; // (written - exact) / exact, NaN when exact is 0
  std::vector<Quantity> physical;
  Level level = Level::Ok;
  std::string reason; // empty when ok
};

// The converter scalings the gains imply and the loop's timing.
struct Scaling {
  double currentScale = 0;         // bus voltage x current-sensing gain, V^2/A
  double currentCountsPerAmp = 0;  // 32767 x sensing gain / 1.65 V
  double voltageCountsPerVolt = 0; // 2 x 32767 / bus voltage
  double controlPeriod = 0;        // Ts = TorqueAndFluxControlRate / PWMFrequency, s
  double controlFrequency = 0;     // PWM frequency / rate in whole Hz, as the observer runs
  double cutOff = 0;               // requested bandwidth wc, rad/s
  double voltageLimit = 0;         // modulation index x bus voltage / 2, V
  std::int64_t voltageLimitCounts = 0;
};

// A note or flag, with what it is about.
struct Finding {
  Level level = Level::Note;
  std::string subject; // the row's quantity or the loop's axis
  std::string reason;
};

struct ControllerAnalysis {
  Scaling scaling;
  std::vector<GainRow> rows;
  std::vector<Finding> findings; // every note and flag of the rows
};

ControllerAnalysis Analyse(const UserData &record);

} // namespace parvex::analysis
