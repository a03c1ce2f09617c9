// BuildLog.xml: the arguments, date and every setting of a generation run,
// written beside the generated headers for the user to read.
#pragma once

#include "parvex.h"

#include <cstdio>
#include <memory>
#include <string>

namespace parvex {

struct BuildLog {
  struct Closer {
    void operator()(std::FILE *f) const { std::fclose(f); }
  };
  // Null while no log is open; every write is skipped then.
  std::unique_ptr<std::FILE, Closer> stream;
};

// Creates (or empties) outputDir + "BuildLog.xml" and writes the head part.
// Returns 0, or 2 when no memory could be had for the path (nothing is
// written). A log that cannot be created is silently left out.
int OpenBuildLog(BuildLog &log, const GenerateSourcesArgs &args);
// The same, the file written into `writeFolder` while the log names the
// output folder.
int OpenBuildLog(BuildLog &log, const GenerateSourcesArgs &args, const std::string &writeFolder);

// Writes the whole FOCDATA element. Returns 0.
int WriteBuildLogData(BuildLog &log, const UserData &data);

// Closes the root element and the file. True when the log was created and
// reached the disk whole.
bool CloseBuildLog(BuildLog &log);

} // namespace parvex
