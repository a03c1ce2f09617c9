// A scripted edit "PATH=VALUE", made as a user makes it on the page that
// shows the setting: a value outside the field's limits is refused (the
// field would not keep it), a setting whose control the page disables in
// this state is refused with the reason, an integer is truncated toward
// zero, and the consistency check runs after exactly the settings whose
// page commit runs it (parvex/Edits.h holds these rules for both). So a
// list of edits gives the record the program gives for the same edits in
// the same order. A value that the next check would silently set back is
// refused too, since no later edit would keep it.
#pragma once

#include "parvex.h"
#include "torvio/Result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvio::scripting {

// Reads a number as scripts write it: C locale, "." as decimal point,
// blanks around it ignored; no infinity or NaN.
std::optional<double> ParseNumber(std::string_view text);

// Applies one edit. On failure, one English line "PATH: reason" (or the
// reason alone when there is no path) and the record is untouched.
torvio::Status ApplyAssignment(UserData &data, std::string_view assignment);

// Applies the edits in order to a copy; the record changes only when every
// edit was accepted. The notes of settings set explicitly whose value the
// consistency check then changed ("PATH: set to 100, the consistency check
// made it 64"), or the first edit refused.
torvio::Result<std::vector<std::string>> ApplyEdits(UserData &data,
                                                    const std::vector<std::string> &assignments);

// ApplyEdits without the notes: the error names the first edit refused.
torvio::Status ApplyAssignments(UserData &data, const std::vector<std::string> &assignments);

} // namespace torvio::scripting
