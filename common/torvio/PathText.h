// Paths are bytes on Linux, and some users have folders whose names are not
// UTF-8. Turning such bytes into text and back must lose nothing: valid
// UTF-8 decodes as usual, and each byte that is not part of valid UTF-8
// becomes a lone low surrogate U+DC80..U+DCFF, which no valid text holds, so
// that encoding gives the very same bytes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvio {

namespace detail {

// The length of the valid UTF-8 sequence at `s[i]`, or 0.
inline std::size_t Utf8SequenceLength(std::string_view s, std::size_t i, char32_t &code) {
  const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b0 = byte(i);
  std::size_t n = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    code = b0;
    return 1;
  }
  if ((b0 & 0xE0) == 0xC0) {
    n = 2, code = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, code = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, code = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > s.size())
    return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80)
      return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and values beyond Unicode are not valid.
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return 0;
  return n;
}

} // namespace detail

// Path bytes as text, losslessly.
inline std::u16string DecodePath(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t code = 0;
    const std::size_t n = detail::Utf8SequenceLength(bytes, i, code);
    if (n == 0) {
      text.push_back(static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i])));
      ++i;
      continue;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      text.push_back(static_cast<char16_t>(code));
    }
    i += n;
  }
  return text;
}

// The bytes that text decoded from; other text encodes as UTF-8 (a lone
// surrogate that stands for no byte encodes as U+FFFD).
inline std::string EncodePath(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  const auto put = [&bytes](char32_t c) {
    if (c < 0x80) {
      bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      put(0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00));
      ++i;
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
      bytes.push_back(static_cast<char>(u - 0xDC00));
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      put(0xFFFD);
    } else {
      put(u);
    }
  }
  return bytes;
}

// True when the text stands for bytes that are not valid UTF-8.
inline bool HoldsRawBytes(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
      continue;
    }
    if (u >= 0xDC80 && u <= 0xDCFF)
      return true;
  }
  return false;
}

// The text as it can be shown: each raw byte written "\xE9".
inline std::u16string ShowPath(std::u16string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::u16string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      shown.push_back(u);
      shown.push_back(text[++i]);
    } else if (u >= 0xDC80 && u <= 0xDCFF) {
      const unsigned b = u - 0xDC00;
      shown += u"\\x";
      shown.push_back(static_cast<char16_t>(kHex[b >> 4]));
      shown.push_back(static_cast<char16_t>(kHex[b & 0xF]));
    } else {
      shown.push_back(u);
    }
  }
  return shown;
}

} // namespace torvio
