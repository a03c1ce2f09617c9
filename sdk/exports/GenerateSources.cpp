// PARVEX_GenerateSources: the exported entry of header generation. Nothing
// may escape into the caller: failures are reported through the callback.
#include "generation/ExitCodes.h"
#include "generation/Generator.h"
#include "parvex.h"

#include <new>
#include <string>

namespace {

void ReportFailure(const GenerateSourcesArgs &args, int code) {
  if (!args.logCallback)
    return;
  try {
    const std::string line =
        "Exit code [" + std::to_string(code) + "] -> " + parvex::ExitCodeText(code);
    args.logCallback(line.c_str(), 1);
  } catch (...) {
  }
}

} // namespace

extern "C" PARVEX_API int PARVEX_GenerateSources(const UserData *data,
                                                 const GenerateSourcesArgs *args) {
  if (!args)
    return 0;
  try {
    if (!data) {
      ReportFailure(*args, parvex::kExitInvalidInput);
      return 0;
    }
    parvex::GenerateSources(*data, *args);
  } catch (const std::bad_alloc &) {
    ReportFailure(*args, parvex::kExitOutOfMemory);
  } catch (...) {
    ReportFailure(*args, -1);
  }
  return 0;
}
