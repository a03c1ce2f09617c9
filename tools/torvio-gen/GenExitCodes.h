// The exit codes of torvio-gen, the one list that the program, its --help
// and its man page (a test compares them) go by.
#pragma once

namespace gen {

enum ExitCode : int {
  kDone = 0,       // written; --check: up to date; --diff: equal; --explain and
                   // --simulate-startup: nothing flagged
  kFailed = 1,     // a header failed; --check: the folder differs; --diff: different;
                   // --explain and --simulate-startup: something flagged
  kBadCommand = 2, // bad command line, unreadable project, refused setting: nothing written
  kHandEdited = 3, // headers edited by hand, nothing written (--force overwrites them)
  kFolderBusy = 4, // another generation holds the output folder, nothing generated
};

inline constexpr int kExitCodes[] = {kDone, kFailed, kBadCommand, kHandEdited, kFolderBusy};

} // namespace gen
