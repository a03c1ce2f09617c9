#include "ObserverRows.h"

#include "GainLevel.h"
#include "NumberText.h"
#include "ObserverGains.h"
#include "Polynomial.h"
#include "Scaling.h"
#include "generation/DefinitionTable.h"
#include "generation/RecordQuantities.h"
#include "model/Clamp.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <optional>

namespace parvex::analysis {

namespace {

constexpr const char *kHeader = "MC_State_Observer_param.h";
constexpr int kK1Token = 75;
constexpr int kK2Token = 76;
// The PLL's phase detector: a unit-amplitude error in Q15 against a 16-bit
// electrical angle gives 32768 / (65536 / 2 pi) = pi counts per angle count.
constexpr double kDetectorGain = std::numbers::pi;

using Complex = std::complex<double>;

// The observer's error dynamics with the written gains (derivation in
// docs/controller-analysis.md): poles are the roots of
// z^2 - (1 + a) z + (a + K2 / (Fc^2 L)), a = 1 - R/(Fc L) + K1/Fc.
std::array<Complex, 2> ObserverPoles(const UserData &d, const ObserverSelection &o, double fc) {
  const double l = d.Lq.Value / 1000.0;
  const double a = 1.0 - d.R.Value / (fc * l) + static_cast<double>(o.k1) / fc;
  const double c = a + static_cast<double>(o.k2) / (fc * fc * l);
  return QuadraticRoots(-(1.0 + a), c);
}

// The PLL per control period: angle += speed; speed = Kd (kp e + sum ki e).
// Characteristic polynomial z^2 + (Kd (kp + ki) - 2) z + (1 - Kd kp).
struct PllLoop {
  double naturalFrequency = NAN; // rad/s
  double damping = NAN;
  double radius = NAN;
};

PllLoop PllFigures(double kp, double ki, double fc) {
  PllLoop loop;
  const auto z = QuadraticRoots(kDetectorGain * (kp + ki) - 2.0, 1.0 - kDetectorGain * kp);
  loop.radius = std::max(std::abs(z[0]), std::abs(z[1]));
  if (z[0] == Complex(0, 0) || z[1] == Complex(0, 0))
    return loop;
  // The equivalent continuous poles s = Fc ln z; for a real pair and a
  // complex pair alike wn^2 = |s1 s2| and 2 zeta wn = -(s1 + s2).
  const Complex s1 = fc * std::log(z[0]);
  const Complex s2 = fc * std::log(z[1]);
  loop.naturalFrequency = std::sqrt(std::abs(s1) * std::abs(s2));
  loop.damping = -(s1 + s2).real() / (2.0 * loop.naturalFrequency);
  return loop;
}

Quantity Pole(const char *name, Complex z) {
  return {name, z.real(), "", z.imag()};
}

GainRow Row(const std::string &quantity, const char *definitions, double exact,
            std::int64_t dividend, std::int64_t divisor) {
  GainRow row;
  row.quantity = quantity;
  row.header = kHeader;
  row.definitions = definitions;
  row.exact = exact;
  row.dividend = dividend;
  row.divisor = divisor;
  return row;
}

} // namespace

std::string ObserverSuffix(const UserData &d) {
  return UseAuxObserver(d) ? " (auxiliary observer)" : "";
}

std::vector<GainRow> ObserverGainRows(const UserData &d, const Scaling &s) {
  const ObserverSelection o = SelectObserver(d);
  const ObserverDesign design = ObserverDesignOf(d);
  const std::string suffix = ObserverSuffix(d);
  const double fc = s.controlFrequency;
  // K1 and K2 are written as whole numbers: their divisor is 1, fixed.
  QuotientRules rules;
  rules.handEdited = !o.computed;
  rules.fixedDivisor = true;

  GainRow k1 = Row("Observer gain K1" + suffix, "K1", design.k1, o.k1, 1);
  rules.dividendFormat = DefinitionFormat(kK1Token);
  Assess(k1, rules);
  GainRow k2 = Row("Observer gain K2" + suffix, "K2", design.k2, o.k2, 1);
  rules.dividendFormat = DefinitionFormat(kK2Token);
  Assess(k2, rules);

  const auto poles = ObserverPoles(d, o, fc);
  k1.physical = {{"K1", static_cast<double>(o.k1), "1/s"}, Pole("pole 1", poles[0])};
  k2.physical = {{"K2", static_cast<double>(o.k2), "V/(A*s)"}, Pole("pole 2", poles[1])};
  const double radius = std::max(std::abs(poles[0]), std::abs(poles[1]));
  // The design puts the poles at y and 0.25.
  const double intended = std::max(std::fabs(design.y), 0.25);
  // A non-finite radius comes from inputs that already flagged the rows.
  if (std::isfinite(radius) && radius >= 1.0)
    Raise(k1, Level::Flag,
          "the observer's error dynamics are unstable with these gains (pole radius " +
              Significant(radius) + "): the estimated back-EMF diverges");
  else if (std::isfinite(radius) && std::fabs(radius - intended) > 0.1 * intended)
    Raise(k1, Level::Note,
          "the written gains put the slower observer pole at radius " + Significant(radius) +
              " instead of " + Significant(intended));

  // With computed gains the header holds the macros, evaluated by the
  // firmware's compiler; hand-edited gains are written as numbers.
  const PllMacros macros = EvaluatePllMacros(d);
  const std::int64_t macroP = static_cast<std::int64_t>(macros.p.value_or(0));
  const std::int64_t macroI = static_cast<std::int64_t>(macros.i.value_or(0));
  const RunningPll running = RunningPllGains(d, o);
  const std::int64_t pllP = running.p;
  const std::int64_t pllI = running.i;
  const auto exactQuotient = [](double dividend, std::uint32_t divisor) {
    return divisor == 0 ? NAN : dividend / static_cast<double>(divisor);
  };
  GainRow pP = Row("PLL proportional gain" + suffix, "PLL_KP_GAIN",
                   exactQuotient(design.pllP, o.pllPDivisor), pllP, o.pllPDivisor);
  GainRow pI = Row("PLL integral gain" + suffix, "PLL_KI_GAIN",
                   exactQuotient(design.pllI, o.pllIDivisor), pllI, o.pllIDivisor);
  // The PLL divisors are the firmware's own; the record only mirrors them.
  QuotientRules pllRules;
  pllRules.handEdited = !o.computed;
  pllRules.fixedDivisor = true;
  Assess(pP, pllRules);
  Assess(pI, pllRules);
  if (o.computed && (!macros.p || !macros.i)) {
    Raise(pP, Level::Flag, "SAMPLING_FREQ is 0: the PLL macros divide by zero");
    Raise(pI, Level::Flag, "SAMPLING_FREQ is 0: the PLL macros divide by zero");
  }
  const auto wrapped = [](GainRow &row, std::int64_t macro) {
    if (macro != row.dividend)
      Raise(row, Level::Flag,
            std::string("the macro gives ") + std::to_string(macro) +
                ", which does not fit its (s16) cast: the firmware's compiler wraps it to " +
                std::to_string(row.dividend));
  };
  if (o.computed && macros.p && macros.i) {
    wrapped(pP, macroP);
    wrapped(pI, macroI);
  }

  const PllLoop pll = PllFigures(pP.written, pI.written, fc);
  pP.physical = {{"damping", pll.damping, ""}};
  pI.physical = {{"natural frequency", pll.naturalFrequency, "rad/s"}};
  if (std::isfinite(pll.radius) && pll.radius >= 1.0)
    Raise(pP, Level::Flag,
          "the PLL is unstable with these gains (pole radius " + Significant(pll.radius) +
              "): the speed estimate will not lock");

  return {k1, k2, pP, pI};
}

} // namespace parvex::analysis
