#include "GainLevel.h"

#include "NumberText.h"
#include "generation/CastRange.h"

#include <cmath>
#include <cstdlib>

namespace parvex::analysis {

namespace {

// A definition that does not fit its cast is written as an #error line.
void CheckCast(GainRow &row, const char *format, std::int64_t value) {
  if (!format)
    return;
  if (const auto problem = CastProblem(format, value))
    Raise(row, Level::Flag,
          *problem + ": the header gets an #error line in its place, the firmware does not build");
}

} // namespace

void Raise(GainRow &row, Level level, const std::string &reason) {
  if (level > row.level)
    row.level = level;
  if (!row.reason.empty())
    row.reason += "; ";
  row.reason += reason;
}

void Assess(GainRow &row, const QuotientRules &rules) {
  row.written =
      row.divisor == 0 ? NAN : static_cast<double>(row.dividend) / static_cast<double>(row.divisor);
  row.relativeError =
      (row.exact == 0 || !std::isfinite(row.exact)) ? NAN : (row.written - row.exact) / row.exact;

  CheckCast(row, rules.dividendFormat, row.dividend);
  CheckCast(row, rules.divisorFormat, row.divisor);
  if (row.divisor == 0) {
    Raise(row, Level::Flag, "divisor is 0: the firmware would divide by zero");
    return;
  }

  if (!std::isfinite(row.exact)) {
    Raise(row, Level::Flag,
          "no design value: an input of its formula (bus voltage, sensing gain, PWM frequency, "
          "control rate, inductance) is zero or not a number");
    return;
  }

  const std::int64_t counts = std::llabs(row.dividend);
  const bool meantNonZero = row.exact != 0;
  const std::int64_t fewest = rules.fixedDivisor ? kHandfulOfCounts : kFewestCounts;
  bool coarse = false;
  if (counts == 0 && meantNonZero) {
    Raise(row, Level::Flag, "truncated to 0 counts: the firmware runs without this gain");
    coarse = true;
  } else if (counts > 0 && counts < fewest) {
    Raise(row, Level::Flag,
          "only " + std::to_string(counts) + " counts: one count is " +
              Percent(1.0 / static_cast<double>(counts)) + " of the gain");
    coarse = true;
  }

  const double error = row.relativeError;
  if (rules.handEdited && std::isfinite(error) && std::fabs(error) > kErrorLimit) {
    Raise(row, Level::Note,
          "hand-edited: " + Percent(error) + " from the design value " + Significant(row.exact, 6));
    return;
  }
  if (rules.fixedDivisor) {
    if (coarse)
      return;
    if (std::isfinite(error) && std::fabs(error) > kFixedDivisorErrorLimit) {
      Raise(row, Level::Flag, "quantisation error " + Percent(error) + " (more than 5 %)");
    } else if (counts > 0 && counts < kFewestCounts && row.level == Level::Ok) {
      Raise(row, Level::Note,
            std::to_string(counts) + " counts over the firmware's fixed divisor " +
                std::to_string(row.divisor) + ": one count is " +
                Percent(1.0 / static_cast<double>(counts)) + " of the gain, the error " +
                Percent(error));
    }
    return;
  }
  if (std::isfinite(error) && std::fabs(error) > kErrorLimit && !coarse) {
    Raise(row, Level::Flag, "quantisation error " + Percent(error) + " (more than 1 %)");
    return;
  }

  if (rules.resolutionWindow && row.level == Level::Ok &&
      (counts < kWindowLow || counts > kWindowHigh)) {
    const std::string where = counts < kWindowLow ? "below" : "above";
    const std::string why = row.divisor == kLargestDivisor ? "the divisor is at its largest, 2^14"
                            : rules.sharedDivisor          ? rules.sharedDivisor
                                                  : "the divisor was not chosen for this gain";
    Raise(row, Level::Note,
          std::to_string(counts) + " counts, " + where + " the 2000-4000 window: " + why +
              "; the error stays below 1 %");
  }
}

} // namespace parvex::analysis
