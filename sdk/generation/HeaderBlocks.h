// The header blocks: what replaces one token line of a template. Blocks are
// built from the record before a template is processed and written each
// time their token is met.
#pragma once

#include "HeaderOutput.h"
#include "parvex.h"

#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace parvex {

// Writes one computed definition; 0 on success, 5 when a write failed.
using HeaderEmitter = int (*)(HeaderOutput &out, const UserData &data);

// Writes text literally (never as a format); 0, or 5 when the write failed
// or threw.
int WriteBlockText(HeaderOutput &out, std::string_view text);

class CHeaderBlock {
public:
  CHeaderBlock() = default;
  CHeaderBlock(const CHeaderBlock &) = delete;
  CHeaderBlock &operator=(const CHeaderBlock &) = delete;
  virtual ~CHeaderBlock();
  // Writes nothing.
  virtual int Write(HeaderOutput &out, const UserData &data, const GenerateSourcesArgs &args) const;
};

// One definition formatted from a single value.
class CSimpleHeaderBlock final : public CHeaderBlock {
public:
  static constexpr std::size_t kCapacity = 1024;
  CSimpleHeaderBlock(const char *format, std::int32_t value);
  CSimpleHeaderBlock(const char *format, double value);
  // Text already made (used for #error lines of definitions that cannot be
  // computed).
  explicit CSimpleHeaderBlock(std::string text);
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;
  const std::string &Text() const { return text_; }

private:
  std::string text_;
};

// A definition line, active when the flag is set and commented out when not.
class CBooleanHeaderBlock final : public CHeaderBlock {
public:
  static constexpr std::size_t kCapacity = 1024;
  CBooleanHeaderBlock(const char *line, bool flag);
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;
  const std::string &Text() const { return text_; }

private:
  std::string text_;
};

// Candidate lines; the one whose value equals the key is active, the others
// are commented out. "%d" in a line receives that line's value.
class CSelectHeaderBlock final : public CHeaderBlock {
public:
  static constexpr std::size_t kCapacity = 16384;
  using Candidate = std::pair<std::int32_t, const char *>;
  CSelectHeaderBlock(std::span<const Candidate> candidates, std::int32_t key);
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;
  const std::string &Text() const { return text_; }

private:
  std::string text_;
};

// The name of the first table entry whose value equals the key, put into a
// format with one "%s"; empty (writes nothing) when no entry matches.
class CStrStrHeaderBlock final : public CHeaderBlock {
public:
  static constexpr std::size_t kCapacity = 16384;
  using Entry = std::pair<std::int32_t, const char *>;
  CStrStrHeaderBlock(std::int32_t key, std::span<const Entry> table, const char *format);
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;
  const std::string &Text() const { return text_; }

private:
  std::string text_;
};

// A definition computed from the record when it is written.
class CCustomHeaderBlock final : public CHeaderBlock {
public:
  explicit CCustomHeaderBlock(HeaderEmitter emitter) : emitter_(emitter) {}
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;

private:
  HeaderEmitter emitter_;
};

// The generated-file banner, read from the clock at each write.
class CCopyrightHeaderBlock final : public CHeaderBlock {
public:
  int Write(HeaderOutput &out, const UserData &data,
            const GenerateSourcesArgs &args) const override;
};

} // namespace parvex
