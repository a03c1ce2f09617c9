// Header generation as data: every report line with its severity and every
// header with its outcome, for callers that show them (the program's message
// log, torvio-gen). PARVEX_GenerateSources is this call with its lines handed
// to a C callback.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"

#include <functional>
#include <string>
#include <vector>

namespace parvex {

enum class Severity { Information = 0, Error = 1, Warning = 2 };

struct ReportLine {
  std::string text;
  Severity severity = Severity::Information;
};

// One header of a run, in template order.
struct GeneratedHeader {
  std::string name;     // "MC_Control_Param.h"
  int exitCode = 0;     // 0: written completely; see the exit code texts
  bool created = false; // the file was created (also when it ended unfinished)
};

struct GenerationResult {
  std::vector<ReportLine> lines;
  std::vector<GeneratedHeader> headers;
  bool buildLogWritten = false; // BuildLog.xml created and closed without error
  int errors = 0;               // headers that failed
  int warnings = 0;
};

// Generates the nine headers and BuildLog.xml from the templates. Both folders
// are prefixes ending with the path separator; they are used as the bytes
// given, and a folder holding a NUL byte is refused with one error line and
// nothing written. `onLine`, when set, sees each report line as it is made.
// `writeFolder`, when given, is where the files are written instead, while
// the report and the build log still name `outputDir`: the bytes are those
// a run into `outputDir` gives, to be placed there afterwards.
PARVEX_CORE_API GenerationResult
Generate(const UserData &data, const std::string &templatesDir, const std::string &outputDir,
         const std::function<void(const ReportLine &)> &onLine = {},
         const std::string &writeFolder = {});

// The message of a header's exit code, "No errors." for 0; codes outside
// 0..8 get the unknown-error message.
PARVEX_CORE_API const char *GenerationExitCodeText(int code);

} // namespace parvex
