// A project as JSON, for version control and reviews: the format's name and
// version, the output folder, and every setting by its path with its value,
// and with its limits and decimals where it has them. Settings are sorted by
// path, one per line, so that a change of one setting is a change of one
// line:
//   {
//     "format": "TORVIO project",
//     "version": 1,
//     "outputFolder": "/home/me/out/",
//     "mechanics": {"friction":0,"inertia":2e-05,"loadTorque":0},
//     "settings": {
//       "CONFIGURATION/SPEEDFEEDBACK/HallSensors": {"value":false},
//       "MOTORANDHW/MOTORCHARACTERISTICS/R": {"decimals":3,"max":100,"min":0.01,"value":0.35},
//       ...
//     }
//   }
// Reals are written with every digit needed to read them back exactly; a
// real that JSON numbers cannot hold is a string: "nan", "inf", "-inf" or
// "-0". A flag is true or false, or its number when a file held another.
// The record's reserved bytes carry no setting: they are written as
// "reserved" (hex) only when one is not zero, and are zero when it is
// absent, so .tvd -> JSON -> .tvd gives the same bytes. The mechanics
// (parvex/Mechanics.h) are written only when the project has them.
#pragma once

#include "ProjectFile.h"
#include "torvio/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvio::scripting {

inline constexpr std::string_view kJsonFormatName = "TORVIO project";
inline constexpr int kJsonFormatVersion = 1;

// The text, or one English sentence why the project cannot be written.
torvio::Result<std::string>
ExportProjectJson(const UserData &data, const std::string &outputFolder,
                  const std::optional<parvex::Mechanics> &mechanics = std::nullopt);

struct JsonProject {
  std::optional<ProjectContents> project; // set when the whole text was accepted
  // Otherwise every reason, one per line: "PATH: reason", or the reason
  // alone for the text as a whole.
  std::vector<std::string> errors;
  // What the consistency check changed after the import, as --diff names
  // it: "PATH: imported -> checked".
  std::vector<std::string> recomputed;
};

// An import is an edit: the values are taken as typing them would take
// them, judged by the limits the program gives them, and the consistency
// check runs after them, so that the values that follow (gains, the
// modulation index, coupled limits) are recomputed. Limits are the
// program's: a limit the check keeps as stored must be the default one
// (ProgramLimits.h). A consistent project exported and imported again comes
// back byte for byte.
JsonProject ImportProjectJson(std::string_view text);

// Files: written atomically (ReplaceFile), read only from a regular file of
// at most kMaxJsonFileSize bytes.
inline constexpr std::size_t kMaxJsonFileSize = 1024 * 1024;
torvio::Status WriteProjectJson(const std::string &path, const UserData &data,
                                const std::string &outputFolder,
                                const std::optional<parvex::Mechanics> &mechanics);
JsonProject ReadProjectJson(const std::string &path);

} // namespace torvio::scripting
