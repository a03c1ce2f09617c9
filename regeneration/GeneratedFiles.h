// The files a generation writes into an output folder, in their order: the
// nine headers, then the build log. Nothing else in the folder is touched.
#pragma once

#include <array>
#include <string>

namespace torvio {

inline constexpr std::array<const char *, 10> kGeneratedFiles = {
    "MC_Control_Param.h",  "MC_PMSM_motor_param.h",     "MC_Hall_prm.h",
    "MC_encoder_param.h",  "MC_State_Observer_param.h", "MC_pwm_1shunt_prm.h",
    "MC_pwm_3shunt_prm.h", "MC_pwm_ics_prm.h",          "Garnetline_MCconf.h",
    "BuildLog.xml"};

inline constexpr const char *kBuildLogName = "BuildLog.xml";

inline bool IsGeneratedFile(const std::string &name) {
  for (const char *n : kGeneratedFiles)
    if (name == n)
      return true;
  return false;
}

} // namespace torvio
