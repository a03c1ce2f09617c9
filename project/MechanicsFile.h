// The mechanics of a project (parvex/Mechanics.h) live beside its .tvd file,
// whose bytes carry no room for them: "motor.tvd" keeps them in
// "motor.tvd.mechanics", a short text replaced atomically like the project:
//   TORVIO mechanics 1
//   inertia 2e-05
//   friction 0
//   loadTorque 0
#pragma once

#include "parvex/Mechanics.h"

#include <optional>
#include <string>
#include <string_view>

namespace torvio {

std::string MechanicsPath(const std::string &projectPath);

std::string MechanicsText(const parvex::Mechanics &mechanics);
// The mechanics of a text, or nothing with the reason in `error`.
std::optional<parvex::Mechanics> ParseMechanics(std::string_view text, std::string &error);

struct MechanicsRead {
  std::optional<parvex::Mechanics> mechanics; // none when there is no file
  std::string error;                          // a file that cannot be read or parsed
};
MechanicsRead ReadMechanics(const std::string &projectPath);

// Writes the mechanics beside the project, or removes the file when there
// are none, so that no stale file outlives them. False with the reason.
bool WriteMechanics(const std::string &projectPath,
                    const std::optional<parvex::Mechanics> &mechanics, std::string &error);

} // namespace torvio
