// The state of one generation run: the block of every token number, the
// template names and the warnings issued so far.
#pragma once

#include "HeaderBlocks.h"

#include <array>
#include <memory>
#include <string>

namespace parvex {

inline constexpr int kTokenCount = 95;
inline constexpr int kTemplateCount = 9;

struct GenerationContext {
  std::array<std::unique_ptr<CHeaderBlock>, kTokenCount> blocks;
  std::array<std::string, kTemplateCount> templateNames;
  int warningCount = 0;

  void ClearBlocks() {
    for (auto &b : blocks)
      b.reset();
  }
};

} // namespace parvex
