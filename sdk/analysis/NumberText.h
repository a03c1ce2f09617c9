// Numbers as text, independent of the process's locale (the program may
// set one): the analysis's reasons and tables always read "0.5", never "0,5".
#pragma once

#include <string>

namespace parvex::analysis {

// Shortest of fixed or scientific with `significant` digits ("3.6", "2097.1",
// "1.2e-05"); "-" for NaN, "inf" / "-inf" for infinities.
std::string Significant(double v, int significant = 4);

// A fraction as a percentage with two significant digits, whole from 100 %
// on: 0.0556 -> "5.6 %", 5.63 -> "563 %".
std::string Percent(double fraction);

} // namespace parvex::analysis
