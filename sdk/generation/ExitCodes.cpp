#include "ExitCodes.h"

#include "parvex/Generation.h"

namespace parvex {

const char *ExitCodeText(int code) {
  static const char *const kTexts[] = {
      "No errors.",
      "Error : Unknown template file.",
      "Error : Template file (.th) not found.",
      "Error : Template file reading failed (.th).",
      "Error : Header file creation failed (.h).",
      "Error : Header file writing failed (.h).",
      "Error : Unknown template token.",
      "Error : Invalid input parameters (FOC user data).",
      "Error : Out of memory.",
  };
  if (static_cast<unsigned>(code) < sizeof kTexts / sizeof kTexts[0])
    return kTexts[code];
  return "Error : Unknown error. PARVEX.DLL internal error (bug).";
}

const char *GenerationExitCodeText(int code) {
  return ExitCodeText(code);
}

} // namespace parvex
