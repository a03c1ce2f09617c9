// The registry's data: one row per setting of the record.
#pragma once

#include "parvex/Parameters.h"

#include <span>

namespace parvex {

std::span<const Parameter> ParameterTable();

} // namespace parvex
