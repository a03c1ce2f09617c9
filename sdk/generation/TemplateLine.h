// Copying one template line into its header, replacing token lines by the
// text of their block, and the warnings some tokens raise.
#pragma once

#include "GenerationContext.h"
#include "HeaderOutput.h"
#include "parvex.h"

#include <optional>
#include <string_view>

namespace parvex {

inline constexpr std::string_view kTokenPrefix = "//@@##TEID%";

// The token number after the prefix, read like atoi (leading white space,
// optional sign, digits; no digits is 0), but without overflow: a number
// beyond the int range saturates, so it is rejected as out of range.
long long ParseTokenNumber(std::string_view afterPrefix);

// Processes one line (or piece of a long line) of a template. Returns 0, or
// the exit code: 5 write failure, 6 token number outside 0..94, 8 no block.
int ProcessTemplateLine(const GenerateSourcesArgs &args, std::string_view line,
                        GenerationContext &ctx, HeaderOutput &out, const UserData &data);

// Sends the warnings of a token to the context's report and counts them;
// does nothing without a report. Always returns 0.
int CheckTokenWarnings(const UserData &data, int token, GenerationContext &ctx,
                       const GenerateSourcesArgs &args);

} // namespace parvex
