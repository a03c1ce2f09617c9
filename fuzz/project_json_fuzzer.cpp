// The JSON import on arbitrary text: it either accepts the whole text or
// gives its reasons, never both and never neither; what it accepts exports
// and imports again to the same folder and to the record the consistency
// check makes of it (the import runs the check; a second run of the check
// may still move the voltage thresholds of a divider that measures less
// than the under-voltage threshold).
#include "ProjectJson.h"
#include "parvex/Model.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool SameRecord(const UserData &a, const UserData &b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  using namespace torvio::scripting;
  const JsonProject read =
      ImportProjectJson(std::string_view(reinterpret_cast<const char *>(bytes), size));
  if (!read.project) {
    if (read.errors.empty())
      std::abort();
    for (const std::string &e : read.errors)
      if (e.empty())
        std::abort();
    return 0;
  }
  if (!read.errors.empty())
    std::abort();
  // A folder that is no valid text is refused by the export, with a reason.
  const torvio::Result<std::string> text =
      ExportProjectJson(read.project->data, read.project->outputDir);
  if (!text) {
    if (text.error().empty())
      std::abort();
    return 0;
  }
  const JsonProject again = ImportProjectJson(*text);
  if (!again.project || !again.errors.empty())
    std::abort();
  UserData checked = read.project->data;
  parvex::CheckConsistency(checked);
  if (!SameRecord(again.project->data, checked) ||
      again.project->outputDir != read.project->outputDir)
    std::abort();
  // The import names a change exactly when the check made one.
  if (again.recomputed.empty() != SameRecord(checked, read.project->data))
    std::abort();
  return 0;
}
