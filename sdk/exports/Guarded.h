// Runs an export's work so that no exception crosses the library boundary.
#pragma once

namespace parvex {

// Calls work() and returns its result, or errorResult when it throws.
template <typename Work>
int Guarded(int errorResult, Work work) noexcept {
  try {
    return work();
  } catch (...) {
    return errorResult;
  }
}

// Status for a null record, and for any failure the caller cannot repair.
inline constexpr int nullRecordResult = 1;

} // namespace parvex
