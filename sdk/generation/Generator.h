// The generation driver: the nine templates in their fixed order, one header
// each, and the report lines of a run.
#pragma once

#include "GenerationContext.h"
#include "parvex.h"
#include "parvex/Generation.h"

#include <array>

namespace parvex {

inline constexpr std::array<const char *, kTemplateCount> kTemplateNames = {
    "MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
    "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
    "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

// Generates the header of template `index` (0..8) and reports its exit code.
// Returns the exit code.
int GenerateHeaderFile(GenerationContext &ctx, const GenerateSourcesArgs &args,
                       const UserData &data, int index);

// A whole run as the C export makes it: the lines of Generate go to the
// args' callback. Null folder strings count as empty.
void GenerateSources(const UserData &data, const GenerateSourcesArgs &args);

} // namespace parvex
