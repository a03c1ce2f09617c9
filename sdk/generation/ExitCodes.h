// Exit codes of one generated header and their report texts.
#pragma once

#include <string>

namespace parvex {

enum GenerationExitCode {
  kExitOk = 0,
  kExitUnknownTemplate = 1,
  kExitTemplateNotFound = 2,
  kExitTemplateReadFailed = 3,
  kExitHeaderCreateFailed = 4,
  kExitHeaderWriteFailed = 5,
  kExitUnknownToken = 6,
  kExitInvalidInput = 7,
  kExitOutOfMemory = 8,
};

// The message of a code; codes outside 0..8 (negative ones included) get
// the unknown-error message.
const char *ExitCodeText(int code);

} // namespace parvex
