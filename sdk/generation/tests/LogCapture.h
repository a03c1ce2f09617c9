// Collects the report lines of a generation run (the callback is a plain
// function, so the lines go to one static list, cleared per test).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testdata {

struct LogLine {
  std::string text;
  int severity;
  bool operator==(const LogLine &) const = default;
};

inline std::vector<LogLine> &CapturedLines() {
  static std::vector<LogLine> lines;
  return lines;
}

inline void CaptureLine(const char *text, int severity) {
  CapturedLines().push_back({text, severity});
}

// The same as a generation context's report.
inline void CaptureReport(const std::string &text, int severity) {
  CapturedLines().push_back({text, severity});
}

} // namespace testdata
