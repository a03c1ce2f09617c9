// The state observer and PLL of the sensorless speed feedback, in the
// firmware's integers: each observer coefficient an integer over F1 (F2),
// the states held multiplied by F1 (F2) in 32 bits, the PLL on a 16-bit
// electrical angle with its dividends over the record's divisors.
// docs/controller-analysis.md (sections 5 to 7) derives the model.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <optional>
#include <string>

namespace parvex::analysis {

struct ObserverConstants {
  std::int64_t f1 = 1;
  std::int64_t f2 = 1;
  std::int64_t resistance = 0; // F1 R Ts / L
  std::int64_t gainK1 = 0;     // F1 K1 Ts
  std::int64_t voltage = 0;    // F1 MAXBUS / Q, Q = Fc L k
  std::int64_t emf = 0;        // F1 MAXBEMF / Q
  std::int64_t gainK2 = 0;     // F2 K2 k / (MAXBEMF Fc)
  std::int64_t pllP = 0;
  std::int64_t pllPDivisor = 1;
  std::int64_t pllI = 0;
  std::int64_t pllIDivisor = 1;
  double voltsFullScale = 0; // MAXBUS: volts at 32767 voltage counts
  double emfFullScale = 0;   // MAXBEMF: volts at 32767 back-EMF counts
};

// The constants of the observer whose values reach the headers; empty, with
// the reason in `why`, when the record gives none.
std::optional<ObserverConstants> ObserverConstantsOf(const UserData &d, std::string &why);

class SensorlessObserver {
public:
  explicit SensorlessObserver(const ObserverConstants &c) : c_(c) {}

  // One control period: the currents measured now (current counts) and the
  // voltage applied over the period that just ended (voltage counts).
  void Step(std::int64_t ialpha, std::int64_t ibeta, std::int64_t valpha, std::int64_t vbeta);

  std::uint16_t Angle() const { return angle_; } // electrical, 65536 counts a turn
  std::int64_t Speed() const { return speed_; }  // angle counts per control period
  double EmfAlpha() const { return static_cast<double>(emf_[0] / c_.f2); } // counts
  double EmfBeta() const { return static_cast<double>(emf_[1] / c_.f2); }

private:
  void Track(std::int64_t ealpha, std::int64_t ebeta);

  ObserverConstants c_;
  std::int32_t current_[2] = {0, 0}; // estimated current x F1
  std::int32_t emf_[2] = {0, 0};     // estimated back-EMF x F2
  std::int32_t integral_ = 0;        // the PLL's
  std::int64_t speed_ = 0;
  std::uint16_t angle_ = 0;
};

} // namespace parvex::analysis
