#include "CastRange.h"

#include <array>
#include <cstring>
#include <string_view>

namespace parvex {

namespace {

constexpr std::array<CastType, 6> kTypes = {{
    {"s8", INT8_MIN, INT8_MAX},
    {"u8", 0, UINT8_MAX},
    {"s16", INT16_MIN, INT16_MAX},
    {"u16", 0, UINT16_MAX},
    {"s32", INT32_MIN, INT32_MAX},
    {"u32", 0, UINT32_MAX},
}};

bool Blank(char c) {
  return c == ' ' || c == '\t';
}

} // namespace

std::optional<CastType> CastOf(const char *format) {
  if (!format)
    return std::nullopt;
  const std::string_view text(format);
  std::size_t at = text.find("%d");
  if (at == std::string_view::npos)
    at = text.find("%.0f");
  if (at == std::string_view::npos)
    return std::nullopt;
  // Back over blanks and an opening bracket to the closing one of the cast.
  std::size_t i = at;
  while (i > 0 && (Blank(text[i - 1]) || text[i - 1] == '('))
    --i;
  if (i == 0 || text[i - 1] != ')')
    return std::nullopt;
  const std::size_t close = i - 1;
  const std::size_t open = text.rfind('(', close);
  if (open == std::string_view::npos)
    return std::nullopt;
  const std::string_view name = text.substr(open + 1, close - open - 1);
  for (const CastType &t : kTypes)
    if (name == t.name)
      return t;
  return std::nullopt;
}

std::optional<std::string> CastProblem(const char *format, std::int64_t printed) {
  const auto type = CastOf(format);
  if (!type || (printed >= type->min && printed <= type->max))
    return std::nullopt;
  return std::to_string(printed) + " does not fit " + type->name;
}

} // namespace parvex
