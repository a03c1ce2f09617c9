// SHA-256 of a byte string, as lowercase hex: what the generation manifest
// records of each file it wrote (the same sums `sha256sum` prints).
#pragma once

#include <string>
#include <string_view>

namespace torvio {

std::string Sha256Hex(std::string_view bytes);

} // namespace torvio
