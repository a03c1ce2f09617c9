// The first line of every generated header: the local time it was written.
#pragma once

#include <ctime>
#include <string>

namespace parvex {

// "Mon Dec 07 21:03:57 2026\n": the classic calendar-time layout, but with
// the day of the month zero-padded to two digits.
std::string FormatBanner(const std::tm &t);

// The banner for the current local time.
std::string CurrentBanner();

} // namespace parvex
