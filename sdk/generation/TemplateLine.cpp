#include "TemplateLine.h"

#include "DefinitionTable.h"
#include "parvex/SamplingWindow.h"

#include <limits>

namespace parvex {

long long ParseTokenNumber(std::string_view s) {
  std::size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < s.size() && isSpace(s[i]))
    ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-'))
    negative = s[i++] == '-';
  // Saturating at a bound far outside 0..94 keeps every long run of digits
  // out of range without overflow.
  constexpr long long kSaturated = std::numeric_limits<int>::max() + 1LL;
  long long n = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    if (n < kSaturated)
      n = n * 10 + (s[i] - '0');
  }
  return negative ? -n : n;
}

int ProcessTemplateLine(const GenerateSourcesArgs &args, std::string_view line,
                        GenerationContext &ctx, HeaderOutput &out, const UserData &data) {
  const std::size_t at = line.find(kTokenPrefix);
  if (at == std::string_view::npos)
    return WriteBlockText(out, line);

  const long long number = ParseTokenNumber(line.substr(at + kTokenPrefix.size()));
  if (number < 0 || number >= kTokenCount)
    return 6;
  const int token = static_cast<int>(number);
  const CHeaderBlock *block = ctx.blocks[token].get();
  if (!block)
    return 8;
  const int code = block->Write(out, data, args);
  if (code != 0)
    return code;
  return CheckTokenWarnings(data, token, ctx, args);
}

int CheckTokenWarnings(const UserData &data, int token, GenerationContext &ctx,
                       const GenerateSourcesArgs &) {
  if (!ctx.report)
    return 0;
  const auto Warn = [&ctx](const std::string &text) { ctx.report(text, 2); };
  switch (token) {
  case 6:
    // The index of a single-shunt timing no index can sample means nothing.
    if (const std::optional<SingleShuntWindow> window = SingleShuntWindowOf(data);
        window && !window->feasible) {
      const std::string text = "Warning : MAX_MODULATION_" +
                               std::to_string(data.MaximumAvailableModulationIndex.Value) +
                               "_PER_CENT: " + SingleShuntInfeasibleText(*window) + ".";
      Warn(text);
      ++ctx.warningCount;
    }
    break;
  case 10:
    if (data.OverVoltageThreshold.Value > 371) {
      Warn("Warning : The over voltage threshold inserted in Motor and HW tab is higher than "
           "that allowed with KV208 board.");
      Warn("This setting IS NOT SAFE if working with KV208 board.");
      ++ctx.warningCount;
    }
    break;
  case 42:
    if (data.InternalPMSMMaximunTxAStrategy != 0 && data.Ld.Value == data.Lq.Value) {
      Warn("Warning : MTPA strategy is enabled but the edited Lq and Ld values are equal.");
      ++ctx.warningCount;
    }
    break;
  case 67:
    if (data.FluxWeakening != 0) {
      Warn("Warning : Flux weakening is enabled. It is mandatory to activate the DC bus "
           "brake resistor management");
      Warn("(and install a proper brake resistor on the power board) or use a regenerative "
           "power converter.");
      ++ctx.warningCount;
    }
    break;
  default:
    break;
  }
  // A definition that cannot be written was written as an #error line;
  // say so in the log as well, so the user need not wait for the firmware
  // build to find out.
  for (const DefinitionProblem &problem : FindDefinitionProblems(token, data)) {
    const std::string text = "Warning : " + problem.name + " cannot be computed (" +
                             problem.reason + "); its header holds an #error line instead.";
    Warn(text.c_str());
    ++ctx.warningCount;
  }
  return 0;
}

} // namespace parvex
