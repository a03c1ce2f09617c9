// PARVEX_GenerateSources: the exported entry of header generation. Nothing
// may escape into the caller: failures are reported through the callback.
#include "parvex.h"
#include "parvex/Generation.h"

#include <new>
#include <string>

namespace {

// Exit codes of the run as a whole.
constexpr int kInvalidInput = 7;
constexpr int kOutOfMemory = 8;

void ReportFailure(const GenerateSourcesArgs &args, int code) {
  if (!args.logCallback)
    return;
  try {
    const std::string line =
        "Exit code [" + std::to_string(code) + "] -> " + parvex::GenerationExitCodeText(code);
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
      ReportFailure(*args, kInvalidInput);
      return 0;
    }
    parvex::Generate(*data, args->templatesDir ? args->templatesDir : "",
                     args->outputDir ? args->outputDir : "",
                     [args](const parvex::ReportLine &line) {
                       if (args->logCallback)
                         args->logCallback(line.text.c_str(), static_cast<int>(line.severity));
                     });
  } catch (const std::bad_alloc &) {
    ReportFailure(*args, kOutOfMemory);
  } catch (...) {
    ReportFailure(*args, -1);
  }
  return 0;
}
