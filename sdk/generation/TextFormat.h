// printf-style formatting into std::string, with the size limits that the
// generated text keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace parvex {

// Formats like snprintf into a buffer of `capacity` bytes (terminator
// included): longer results are cut to capacity - 1 characters.
std::string FormatBounded(std::size_t capacity, const char *format, ...)
    __attribute__((format(printf, 2, 3)));

// Formats without a size limit.
std::string Format(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Cuts `text` to what a buffer of `capacity` bytes holds.
void Bound(std::string &text, std::size_t capacity);

// Replaces each "%d" by the value and each "%%" by "%"; any other character
// is copied unchanged, so no conversion can read a missing argument.
std::string SubstituteInt(const std::string &text, std::int32_t value);

} // namespace parvex
