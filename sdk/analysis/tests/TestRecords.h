// Records for the analysis tests: the library's defaults, and edits of them
// with the gains recomputed by the library, as the program would.
#pragma once

#include "parvex.h"
#include "parvex/ControllerAnalysis.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace parvex::analysis::test {

inline UserData DefaultRecord() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  EXPECT_EQ(PARVEX_SetDefault(&d), 0);
  return d;
}

// The defaults with `edit` applied and every gain computed again.
inline UserData Edited(const std::function<void(UserData &)> &edit) {
  UserData d = DefaultRecord();
  edit(d);
  PARVEX_CalcControlSettingsTorqueAndFluxPID(&d);
  PARVEX_CalcSpeedFeedbackGains(&d);
  PARVEX_CalcAuxSpeedFeedbackGains(&d);
  return d;
}

inline const GainRow &RowNamed(const ControllerAnalysis &a, const std::string &quantity) {
  for (const GainRow &row : a.rows)
    if (row.quantity == quantity)
      return row;
  ADD_FAILURE() << "no row " << quantity;
  static const GainRow none;
  return none;
}

inline bool Contains(const std::string &text, const std::string &part) {
  return text.find(part) != std::string::npos;
}

} // namespace parvex::analysis::test
