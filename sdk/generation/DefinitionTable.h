// The 95 header definitions: which block each token number stands for, its
// text, and the record fields behind it.
#pragma once

#include "DefinitionProblem.h"
#include "GenerationContext.h"
#include "parvex.h"

#include <optional>

namespace parvex {

// Creates the block of every token number from the record. A block that
// cannot be allocated leaves its slot empty. Returns 0.
int BuildHeaderBlocks(const UserData &data, GenerationContext &ctx);

// The problem of a token's definition for this record, when it cannot be
// computed; empty for sound definitions and for tokens without a value.
std::optional<DefinitionProblem> FindDefinitionProblem(int token, const UserData &data);

} // namespace parvex
