// The state of one generation run: the block of every token number, the
// template names and the warnings issued so far.
#pragma once

#include "HeaderBlocks.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace parvex {

inline constexpr int kTokenCount = 95;
inline constexpr int kTemplateCount = 9;

struct GenerationContext {
  std::array<std::unique_ptr<CHeaderBlock>, kTokenCount> blocks;
  std::array<std::string, kTemplateCount> templateNames;
  int warningCount = 0;
  // Receives each report line (severity 0 information, 1 error, 2 warning);
  // without it a run reports nothing and counts no warnings.
  std::function<void(const std::string &text, int severity)> report;
  // Whether the header of the last file processed was created.
  bool headerCreated = false;
  // Where the files are written, when not into the output folder the run
  // reports (a private folder whose files are placed afterwards).
  std::string writeFolder;

  void ClearBlocks() {
    for (auto &b : blocks)
      b.reset();
  }
};

} // namespace parvex
