#include "TextFormat.h"

#include <cstdarg>
#include <cstdio>

namespace parvex {

namespace {
std::string VFormat(std::size_t capacity, const char *format, std::va_list args) {
  std::va_list copy;
  va_copy(copy, args);
  const int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (needed <= 0)
    return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  Bound(text, capacity);
  return text;
}
} // namespace

std::string FormatBounded(std::size_t capacity, const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = VFormat(capacity, format, args);
  va_end(args);
  return text;
}

std::string Format(const char *format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = VFormat(0, format, args);
  va_end(args);
  return text;
}

void Bound(std::string &text, std::size_t capacity) {
  if (capacity > 0 && text.size() >= capacity)
    text.resize(capacity - 1);
}

std::string SubstituteInt(const std::string &text, std::int32_t value) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
      out += std::to_string(value);
      ++i;
    } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') {
      out += '%';
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

} // namespace parvex
