// The 95 header definitions: which block each token number stands for, its
// text, and the record fields behind it.
#pragma once

#include "DefinitionProblem.h"
#include "GenerationContext.h"
#include "parvex.h"

#include <vector>

namespace parvex {

// Creates the block of every token number from the record. A block that
// cannot be allocated leaves its slot empty. Returns 0.
int BuildHeaderBlocks(const UserData &data, GenerationContext &ctx);

// The definitions of a token that this record leaves without a printable
// value (each written as an #error line); empty for sound definitions and
// for tokens without a value.
std::vector<DefinitionProblem> FindDefinitionProblems(int token, const UserData &data);

// The format an integer or real definition is printed with, its cast
// included ("#define PID_TORQUE_KP_DEFAULT  (s16)%d\n"), so that callers can
// check a number against that cast; null for the other tokens.
const char *DefinitionFormat(int token);

} // namespace parvex
