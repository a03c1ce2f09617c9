#include "ProjectFile.h"

#include <cstring>
#include <stdexcept>

namespace torvio {
namespace {

constexpr const char *kMagicV1 = "TORVIOFILEV1";
constexpr const char *kMagicV2 = "TORVIOFILEV2";

// Strings carry a length prefix in one of three widths; a byte 0xFF followed
// by the 16-bit value 0xFFFE marks a string of UTF-16 code units instead.
constexpr std::uint8_t kByteEscape = 0xFF;
constexpr std::uint16_t kWideMarker = 0xFFFE;
constexpr std::uint16_t kWordEscape = 0xFFFF;

void PutLe(std::vector<std::uint8_t> &out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutString(std::vector<std::uint8_t> &out, const std::string &s) {
  const std::size_t n = s.size();
  if (n < 0xFF) {
    PutLe(out, n, 1);
  } else if (n < 0xFFFE) {
    PutLe(out, kByteEscape, 1);
    PutLe(out, n, 2);
  } else {
    // The 32-bit form is the widest one readers know.
    if (n >= 0xFFFFFFFFu)
      throw std::length_error("project string too long");
    PutLe(out, kByteEscape, 1);
    PutLe(out, kWordEscape, 2);
    PutLe(out, n, 4);
  }
  out.insert(out.end(), s.begin(), s.end());
}

// A bounds-checked cursor over the file's bytes.
class Reader {
public:
  Reader(const std::uint8_t *bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  std::size_t Remaining() const { return size_ - pos_; }

  bool Get(std::uint64_t &v, int width) {
    if (Remaining() < static_cast<std::size_t>(width))
      return false;
    v = 0;
    for (int i = 0; i < width; ++i)
      v |= static_cast<std::uint64_t>(bytes_[pos_ + i]) << (8 * i);
    pos_ += width;
    return true;
  }

  const std::uint8_t *Take(std::size_t n) {
    if (Remaining() < n)
      return nullptr;
    const std::uint8_t *p = bytes_ + pos_;
    pos_ += n;
    return p;
  }

private:
  const std::uint8_t *bytes_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Reads a length in the byte / 16-bit / 32-bit form. `allowWide` lets the
// 16-bit marker through (reported in `wide`) once, before the length proper.
ProjectReadStatus ReadLength(Reader &r, std::uint64_t &length, bool &wide, bool allowWide) {
  std::uint64_t v = 0;
  if (!r.Get(v, 1))
    return ProjectReadStatus::EndOfFile;
  if (v < kByteEscape) {
    length = v;
    return ProjectReadStatus::Ok;
  }
  if (!r.Get(v, 2))
    return ProjectReadStatus::EndOfFile;
  if (v == kWideMarker && allowWide) {
    wide = true;
    return ReadLength(r, length, wide, false);
  }
  if (v != kWordEscape) {
    length = v;
    return ProjectReadStatus::Ok;
  }
  if (!r.Get(v, 4))
    return ProjectReadStatus::EndOfFile;
  length = v;
  return ProjectReadStatus::Ok;
}

void AppendUtf8(std::string &out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16LE to 8-bit text. Paths on this platform are UTF-8, so converting to
// UTF-8 keeps every character of a folder name (a Latin-1 narrowing would
// turn anything above U+00FF into '?' and name a different folder). Unpaired
// surrogates cannot be represented and become '?'.
std::string Utf16LeToUtf8(const std::uint8_t *p, std::size_t units) {
  std::string out;
  out.reserve(units);
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = p[2 * i] | (static_cast<std::uint32_t>(p[2 * i + 1]) << 8);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
      const std::uint32_t lo = p[2 * i + 2] | (static_cast<std::uint32_t>(p[2 * i + 3]) << 8);
      if (lo >= 0xDC00 && lo < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u < 0xE000)
      out += '?';
    else
      AppendUtf8(out, u);
  }
  return out;
}

ProjectReadStatus ReadString(Reader &r, std::string &out) {
  std::uint64_t length = 0;
  bool wide = false;
  if (const auto s = ReadLength(r, length, wide, true); s != ProjectReadStatus::Ok)
    return s;
  if (wide) {
    if (length > 0x7FFFFFFFu)
      return ProjectReadStatus::InvalidArgument;
    // Checked before anything is allocated; 2 * length cannot overflow here.
    const std::uint8_t *p = r.Take(2 * length);
    if (!p)
      return ProjectReadStatus::EndOfFile;
    out = Utf16LeToUtf8(p, length);
    return ProjectReadStatus::Ok;
  }
  const std::uint8_t *p = r.Take(length);
  if (!p)
    return ProjectReadStatus::EndOfFile;
  out.assign(reinterpret_cast<const char *>(p), length);
  return ProjectReadStatus::Ok;
}

} // namespace

std::vector<std::uint8_t> EncodeProject(const UserData &data, const std::string &outputDir) {
  std::vector<std::uint8_t> out;
  out.reserve(1 + std::strlen(kMagicV2) + sizeof(UserData) + 5 + outputDir.size());
  PutString(out, kMagicV2);
  const auto *raw = reinterpret_cast<const std::uint8_t *>(&data);
  out.insert(out.end(), raw, raw + sizeof(UserData));
  PutString(out, outputDir);
  return out;
}

ProjectReadStatus DecodeProject(const std::uint8_t *bytes, std::size_t size, ProjectContents &out) {
  Reader r(bytes, bytes ? size : 0);
  std::string magic;
  if (const auto s = ReadString(r, magic); s != ProjectReadStatus::Ok)
    return s;
  ProjectContents read;
  if (magic == kMagicV1)
    read.version = 1;
  else if (magic == kMagicV2)
    read.version = 2;
  else
    return ProjectReadStatus::UnknownFormat;
  if (size > kMaxProjectFileSize)
    return ProjectReadStatus::TooLarge;

  const std::uint8_t *record = r.Take(sizeof(UserData));
  if (!record)
    return ProjectReadStatus::EndOfFile;
  std::memcpy(&read.data, record, sizeof(UserData));

  if (read.version == 2) {
    if (const auto s = ReadString(r, read.outputDir); s != ProjectReadStatus::Ok)
      return s;
  }
  out = std::move(read);
  return ProjectReadStatus::Ok;
}

const char *ProjectReadStatusText(ProjectReadStatus status) {
  switch (status) {
  case ProjectReadStatus::Ok:
    return "The project file was read.";
  case ProjectReadStatus::UnknownFormat:
    return "Error reading the selected file (unknown file format).";
  case ProjectReadStatus::EndOfFile:
    return "The project file ends before its data is complete.";
  case ProjectReadStatus::InvalidArgument:
    return "The project file holds a string with an invalid length.";
  case ProjectReadStatus::TooLarge:
    return "The file is too large to be a project file (more than 1 MiB).";
  }
  return "The project file could not be read.";
}

} // namespace torvio
