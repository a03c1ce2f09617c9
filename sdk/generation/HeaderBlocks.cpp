#include "HeaderBlocks.h"

#include "Banner.h"
#include "TextFormat.h"

namespace parvex {

int WriteBlockText(HeaderOutput &out, std::string_view text) {
  try {
    return out.Write(text) ? 0 : 5;
  } catch (...) {
    return 5;
  }
}

CHeaderBlock::~CHeaderBlock() = default;

int CHeaderBlock::Write(HeaderOutput &, const UserData &, const GenerateSourcesArgs &) const {
  return 0;
}

CSimpleHeaderBlock::CSimpleHeaderBlock(const char *format, std::int32_t value)
    : text_(FormatBounded(kCapacity, format, value)) {}

CSimpleHeaderBlock::CSimpleHeaderBlock(const char *format, double value)
    : text_(FormatBounded(kCapacity, format, value)) {}

CSimpleHeaderBlock::CSimpleHeaderBlock(std::string text) : text_(std::move(text)) {
  Bound(text_, kCapacity);
}

int CSimpleHeaderBlock::Write(HeaderOutput &out, const UserData &,
                              const GenerateSourcesArgs &) const {
  return WriteBlockText(out, text_);
}

CBooleanHeaderBlock::CBooleanHeaderBlock(const char *line, bool flag)
    : text_(flag ? std::string(line) : "//" + std::string(line)) {
  Bound(text_, kCapacity);
}

int CBooleanHeaderBlock::Write(HeaderOutput &out, const UserData &,
                               const GenerateSourcesArgs &) const {
  return WriteBlockText(out, text_);
}

CSelectHeaderBlock::CSelectHeaderBlock(std::span<const Candidate> candidates, std::int32_t key) {
  for (const auto &[value, line] : candidates) {
    std::string formatted = (value == key ? "" : "//") + std::string(line) + "\n";
    Bound(formatted, 1024);
    std::string withValue = SubstituteInt(formatted, value);
    Bound(withValue, 1024);
    text_ += withValue;
  }
  Bound(text_, kCapacity);
}

int CSelectHeaderBlock::Write(HeaderOutput &out, const UserData &,
                              const GenerateSourcesArgs &) const {
  return WriteBlockText(out, text_);
}

CStrStrHeaderBlock::CStrStrHeaderBlock(std::int32_t key, std::span<const Entry> table,
                                       const char *format) {
  for (const auto &[value, name] : table) {
    if (value == key) {
      text_ = FormatBounded(kCapacity, format, name);
      break;
    }
  }
}

int CStrStrHeaderBlock::Write(HeaderOutput &out, const UserData &,
                              const GenerateSourcesArgs &) const {
  return WriteBlockText(out, text_);
}

int CCustomHeaderBlock::Write(HeaderOutput &out, const UserData &data,
                              const GenerateSourcesArgs &) const {
  return emitter_ ? emitter_(out, data) : 0;
}

int CCopyrightHeaderBlock::Write(HeaderOutput &out, const UserData &,
                                 const GenerateSourcesArgs &) const {
  return WriteBlockText(out, CurrentBanner());
}

} // namespace parvex
