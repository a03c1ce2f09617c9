// Where a generated header goes. Blocks write through this seam so that a
// failed write can be reported as a header write failure and tests can
// capture the text.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace parvex {

class HeaderOutput {
public:
  virtual ~HeaderOutput() = default;
  // Appends the bytes; false when the destination refused them.
  virtual bool Write(std::string_view bytes) = 0;
};

// Writes into an open C stream (not owned).
class FileHeaderOutput final : public HeaderOutput {
public:
  explicit FileHeaderOutput(std::FILE *file) : file_(file) {}
  bool Write(std::string_view bytes) override;

private:
  std::FILE *file_;
};

// Collects the text in memory.
class StringHeaderOutput final : public HeaderOutput {
public:
  bool Write(std::string_view bytes) override {
    text += bytes;
    return true;
  }
  std::string text;
};

} // namespace parvex
