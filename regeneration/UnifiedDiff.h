// The difference of two texts as a unified diff, the way `diff -u` writes
// it: "--- a/NAME" and "+++ b/NAME", then hunks of changed lines with three
// lines of context. Empty when the texts are equal.
#pragma once

#include <string>
#include <string_view>

namespace torvio {

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string &name,
                        int context = 3);

} // namespace torvio
