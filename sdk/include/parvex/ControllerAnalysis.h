// The controller analysis of a record: every integer gain TORVIO computes,
// shown beside the value it was meant to be and its physical meaning, and
// the current loops those integers give, simulated as the firmware runs
// them. Qt-free; docs/controller-analysis.md derives every figure.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Mechanics.h"
#include "parvex/SpeedLoop.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace parvex::analysis {

// Ok: nothing to do. Note: worth knowing, no action needed. Flag: the
// firmware will not behave as designed (or not build) until fixed.
enum class Level { Ok, Note, Flag };

// "ok", "note", "flag".
PARVEX_CORE_API const char *LevelName(Level level);

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

struct Sample {
  double time = 0;    // s
  double current = 0; // A
};

struct FrequencyPoint {
  double omega = 0; // rad/s
  double magnitudeDb = 0;
  double phaseDeg = 0;
};

// One current loop (q: torque, d: flux).
struct LoopFigures {
  std::string axis;      // "q (torque)", "d (flux)"
  bool analysed = false; // false when the record gives no loop to analyse
  double inductance = 0; // H
  double stepAmps = 0;   // the reference step as the firmware holds it
  std::int64_t stepCounts = 0;
  std::vector<Sample> step;  // integer simulation, at every control period
  std::vector<Sample> ideal; // stepAmps x (1 - exp(-wc t)) at the same times
  double crossover = 0;      // open-loop |L| = 1, rad/s; NaN when there is none
  double phaseMargin = 0;    // degrees at the crossover
  double spectralRadius = 0; // largest closed-loop pole magnitude
  bool stable = false;
  double bandwidth = 0;     // closed-loop -3 dB, rad/s; NaN when there is none
  double peakDb = 0;        // closed-loop resonance peak
  double peakFrequency = 0; // rad/s
  double overshoot = 0;     // fraction of the step
  double settlingTime = 0;  // 2 % band, s; NaN when not settled in the simulated time
  bool saturates = false;   // the voltage clamp was reached during the step
  std::vector<FrequencyPoint> closedLoop;
  Level level = Level::Ok;
  std::string reason;
};

// The speed loop, analysed only when the mechanics are given (the inertia
// at least).
struct SpeedLoopFigures {
  bool analysed = false;
  Mechanics mechanics;
  double period = NAN;           // the speed loop's, s (SpeedRegulationControlRate)
  double torqueConstant = NAN;   // Kt, N m per A of q current (0-peak), from Ke
  double currentLimit = NAN;     // A: NOMINAL_CURRENT, where the torque reference is clamped
  double countsPerAmp = NAN;     // q current counts per ampere
  double currentCrossover = NAN; // the q current loop's, rad/s
  SpeedController controller;    // the written gains, physically
  // The closed q current loop as a pure delay at the speed crossover (for
  // the poles), and how far the phase margin moves when it is taken so.
  double innerDelay = NAN;            // s
  double innerDelayMarginError = NAN; // deg
  double crossover = NAN;             // rad/s
  double phaseMargin = NAN;           // deg
  double spectralRadius = NAN;
  bool stable = false;
  double bandwidth = NAN;     // rad/s
  double peakDb = NAN;        // resonance peak of the closed loop
  double peakFrequency = NAN; // rad/s
  std::vector<FrequencyPoint> closedLoop;
  // The step: from standstill to stepRpm at 0, the load torque at loadTime.
  double stepRpm = 0;
  double loadTime = NAN;
  std::vector<SpeedSample> step;
  double overshoot = NAN;    // fraction of the step, before the load
  double settlingTime = NAN; // 2 % band, s; NaN when not settled before the load
  double loadDrop = NAN;     // rpm the load pulls the speed down; NaN without a load
  double peakCurrent = NAN;  // largest |q current|, A
  bool saturates = false;    // the torque reference reached the current limit
  Level level = Level::Ok;
  std::string reason;
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
  std::vector<LoopFigures> loops; // q, then d
  SpeedLoopFigures speed;         // with the speed controller's rows among the rows
  std::vector<Finding> findings;  // every note and flag: rows first, then loops
};

struct AnalysisOptions {
  double stepFraction = 0.1;          // reference step, fraction of RatedCurrent
  int delayPeriods = 1;               // computation delay, control periods (0 to 16)
  int bodePoints = 200;               // closed-loop samples for a plot
  double simulatedTimeConstants = 10; // step simulated over this many 1/wc (at least 60 periods)
  // The speed loop: analysed when the mechanics are given.
  std::optional<Mechanics> mechanics;
  int speedDelayPeriods = 1;       // speed periods from measurement to applied torque reference
  double speedStepFraction = 0.02; // speed step, fraction of MotorMaxSpeed
  double speedSettlingTimes = 12;  // simulated time before the load, in 1 / speed crossover
};

PARVEX_CORE_API ControllerAnalysis Analyse(const UserData &record,
                                           const AnalysisOptions &options = {});

// The speed bandwidth a design aims at when none is given: a tenth of the
// q current loop's crossover, and at most 0.15 / (speed period), where the
// speed loop's own delays still leave 55 deg of margin.
PARVEX_CORE_API double DefaultSpeedBandwidth(const UserData &record,
                                             const AnalysisOptions &options = {});

// Speed gains for a wanted bandwidth (NaN: the default) with the record's
// loops and the mechanics given.
PARVEX_CORE_API SpeedDesign DesignSpeedGains(const UserData &record, const Mechanics &mechanics,
                                             double bandwidth = NAN,
                                             const AnalysisOptions &options = {});

} // namespace parvex::analysis
