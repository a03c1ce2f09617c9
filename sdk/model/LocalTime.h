// The current local time, with the time-zone settings re-read first. The
// one place that knows the platform's thread-safe conversion.
#pragma once

#include <ctime>

namespace parvex {

std::tm LocalNow();

} // namespace parvex
