// The mechanics of a project (parvex/Mechanics.h) live beside its .tvd file,
// whose bytes carry no room for them: "motor.tvd" keeps them in
// "motor.tvd.mechanics", a short text replaced atomically like the project:
//   TORVIO mechanics 1
//   inertia 2e-05
//   friction 0
//   loadTorque 0
#pragma once

#include "parvex/Mechanics.h"
#include "torvio/Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace torvio {

std::string MechanicsPath(const std::string &projectPath);

std::string MechanicsText(const parvex::Mechanics &mechanics);
// The mechanics of a text, or the reason it holds none.
Result<parvex::Mechanics> ParseMechanics(std::string_view text);

// The mechanics beside the project, none when there is no such file; or
// why a file there cannot be read or parsed, named by its path.
Result<std::optional<parvex::Mechanics>> ReadMechanics(const std::string &projectPath);

// Writes the mechanics beside the project, or removes the file when there
// are none, so that no stale file outlives them.
Status WriteMechanics(const std::string &projectPath,
                      const std::optional<parvex::Mechanics> &mechanics);

} // namespace torvio
