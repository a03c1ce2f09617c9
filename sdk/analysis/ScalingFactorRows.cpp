#include "GainLevel.h"
#include "NumberText.h"
#include "ObserverRows.h"
#include "generation/ComputedDefinitions.h"
#include "generation/RecordQuantities.h"

#include <array>
#include <cmath>
#include <optional>

namespace parvex::analysis {

namespace {

constexpr const char *kHeader = "MC_State_Observer_param.h";

// A scaled coefficient, truncated as the scaling search truncates it; empty
// when it has no defined value.
std::optional<std::int64_t> Scaled(double v) {
  return TruncateToInt64(v);
}

bool Fits16(const std::optional<std::int64_t> &v) {
  return v && *v >= -32768 && *v <= 32767;
}

// The observer's coefficients scaled by F, as the F1 search forms them:
// resistance R Ts / L, gain K1 Ts, back-EMF MAXBEMF F / Q and bus voltage
// MAXBUS F / Q with Q = fs L k / rate.
struct F1Terms {
  std::array<std::optional<std::int64_t>, 4> value;
  static constexpr std::array<const char *, 4> names = {"the resistance term R*Ts/L", "the K1 term",
                                                        "the back-EMF term (MAXBEMF)",
                                                        "the bus-voltage term (MAXBUS)"};
};

F1Terms TermsOfF1(const UserData &d, double f) {
  const double lq = d.Lq.Value / 1000;
  const double rs = d.R.Value;
  const double fs = static_cast<double>(d.PWMFrequency.Value);
  const double rate = static_cast<double>(d.TorqueAndFluxControlRate);
  const double k1 = UseAuxObserver(d) ? d.AuxK1.Value : d.K1.Value;
  const double k = 1.65 / ComputationGain(d);
  const double q = fs * lq * k / rate;
  F1Terms t;
  t.value[0] = Scaled(f * rs * rate / (fs * lq));
  t.value[1] = Scaled(f * k1 / fs / rate);
  const ObserverInputs in = ObserverInputsOf(d);
  if (in.hasMaxBemf)
    t.value[2] = Scaled(in.maxBemf * f / q);
  if (in.hasMaxBus)
    t.value[3] = Scaled(in.maxBus * f / q);
  return t;
}

std::optional<std::int64_t> TermOfF2(const UserData &d, double f) {
  const double k2 = UseAuxObserver(d) ? d.AuxK2.Value : d.K2.Value;
  const double k = 1.65 / ComputationGain(d);
  const std::uint32_t rate = d.TorqueAndFluxControlRate;
  const ObserverInputs in = ObserverInputsOf(d);
  if (rate == 0 || !in.hasMaxBemf)
    return std::nullopt;
  const double periods = static_cast<double>(d.PWMFrequency.Value / rate);
  return Scaled(f * (k2 * k / in.maxBemf) / periods);
}

std::string Counts(const std::optional<std::int64_t> &v) {
  return v ? std::to_string(*v) : std::string("undefined");
}

GainRow FactorRow(const std::string &quantity, const char *definition, int factor) {
  GainRow row;
  row.quantity = quantity;
  row.header = kHeader;
  row.definitions = definition;
  // A power of two chosen by a search: nothing is truncated.
  row.exact = factor;
  row.dividend = factor;
  row.divisor = 1;
  row.written = factor;
  row.relativeError = 0;
  return row;
}

GainRow F1Row(const UserData &d, const std::string &suffix) {
  const int f1 = ObserverScalingFactorF1(d);
  GainRow row = FactorRow("Observer scaling F1" + suffix, "F1", f1);
  const F1Terms at = TermsOfF1(d, f1);
  const auto &resistance = at.value[0];
  row.physical = {{"R*Ts/L", resistance ? static_cast<double>(*resistance) : NAN, "counts"}};

  for (std::size_t i = 0; i < at.value.size(); ++i)
    if (!Fits16(at.value[i]))
      Raise(row, Level::Flag,
            std::string(F1Terms::names[i]) + " is " + Counts(at.value[i]) + " at F1 = " +
                std::to_string(f1) + ", outside 16 bits: the observer's arithmetic overflows");
  if (row.level == Level::Flag || !resistance)
    return row;

  const std::int64_t counts = std::llabs(*resistance);
  if (counts == 0 && d.R.Value != 0) {
    Raise(row, Level::Flag,
          "R*Ts/L truncates to 0 at F1 = " + std::to_string(f1) +
              ": the observer ignores the stator resistance");
  } else if (counts > 0 && counts < kFewestCounts) {
    std::string reason = "the observer holds R*Ts/L as " + std::to_string(counts) + "/" +
                         std::to_string(f1) + ": one count is " +
                         Percent(1.0 / static_cast<double>(counts)) + " of it";
    if (f1 < 16384) {
      // Name what kept F1 from the next power of two.
      const F1Terms next = TermsOfF1(d, 2.0 * f1);
      for (std::size_t i = 0; i < next.value.size(); ++i)
        if (!Fits16(next.value[i]))
          reason += "; " + std::string(F1Terms::names[i]) + " (" + Counts(next.value[i]) + " at " +
                    std::to_string(2 * f1) + ") keeps F1 from being larger";
    }
    Raise(row, Level::Note, reason);
  }
  return row;
}

GainRow F2Row(const UserData &d, const std::string &suffix) {
  const int f2 = ObserverScalingFactorF2(d);
  GainRow row = FactorRow("Observer scaling F2" + suffix, "F2", f2);
  const auto term = TermOfF2(d, f2);
  row.physical = {{"K2 term", term ? static_cast<double>(*term) : NAN, "counts"}};
  if (!Fits16(term)) {
    Raise(row, Level::Flag,
          "the K2 term is " + Counts(term) + " at F2 = " + std::to_string(f2) +
              ", outside 16 bits: the observer's arithmetic overflows");
    return row;
  }
  const std::int64_t counts = std::llabs(*term);
  const double k2 = UseAuxObserver(d) ? d.AuxK2.Value : d.K2.Value;
  if (counts == 0 && k2 != 0)
    Raise(row, Level::Flag,
          "the K2 term truncates to 0 at F2 = " + std::to_string(f2) +
              ": the observer's back-EMF estimate never corrects");
  else if (counts > 0 && counts < kFewestCounts)
    Raise(row, Level::Note,
          "the observer holds its K2 term with " + std::to_string(counts) +
              " counts: one count is " + Percent(1.0 / static_cast<double>(counts)) + " of it");
  return row;
}

} // namespace

std::vector<GainRow> ScalingFactorRows(const UserData &d) {
  const std::string suffix = ObserverSuffix(d);
  return {F1Row(d, suffix), F2Row(d, suffix)};
}

} // namespace parvex::analysis
