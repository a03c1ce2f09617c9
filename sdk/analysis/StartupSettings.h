// What the record says of the sensorless start-up, in the firmware's units:
// the main observer's settings, or the auxiliary observer's while a sensor
// drives the motor and the observer is tuned beside it.
#pragma once

#include "Scaling.h"
#include "parvex/SpeedFeedbackMembers.h"

#include <cstdint>
#include <string>

namespace parvex::analysis {

struct StartupSettings {
  const ObserverMembers *members = nullptr;
  const EncoderMembers *alignment = nullptr; // where the alignment settings are
  bool includeAlignment = false;
  double alignmentMs = 0;
  double alignmentAngleDeg = 0;
  std::int64_t alignmentCounts = 0; // SLESS_I_ALIGNMENT
  double speedRampMs = 0;
  std::int64_t finalRpm = 0;    // FINAL_START_UP_SPEED
  std::int64_t firstCounts = 0; // FIRST_I_STARTUP
  std::int64_t finalCounts = 0; // FINAL_I_STARTUP
  double currentRampMs = 0;
  int consecutiveTests = 1;    // NB_CONSECUTIVE_TESTS
  double varianceFraction = 0; // VARIANCE_THRESHOLD, as the header rounds it
  double minimumRpm = 0;       // MINIMUM_SPEED_RPM
  double minMechanicalRpm = 0;
  double speedPeriodMs = 1; // the speed loop's period
  double countsPerAmp = 0;
};

StartupSettings SettingsOf(const UserData &d);

// Why the record gives no start-up to simulate; empty when it does.
std::string Unsimulable(const UserData &d, const Scaling &s, const StartupSettings &st);

// The start-up current `fromRamp` periods into the ramp: from the first to
// the final value over `periods`, in whole counts, then held.
std::int64_t RampCurrent(const StartupSettings &st, std::int64_t fromRamp, std::int64_t periods);

// The registry's name of a setting ("CurrentRampFinalValue",
// "AuxCurrentRampFinalValue").
const char *SettingName(IntMember member);
const char *SettingName(RealMember member);
const char *SettingName(FlagMember member);

} // namespace parvex::analysis
