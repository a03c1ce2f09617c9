// The default record with every padding byte zero, so that records built
// from it compare equal byte for byte, and that comparison.
#pragma once

#include "parvex.h"

#include <cstring>

namespace testsupport {

inline UserData DefaultRecord() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  return d;
}

inline bool SameRecord(const UserData &a, const UserData &b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace testsupport
