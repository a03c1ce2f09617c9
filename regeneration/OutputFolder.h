// The output folder made ready for a generation: created with its parents
// when it does not exist, and checked to be a folder the run can write into.
#pragma once

#include <string>

namespace torvio {

struct OutputFolder {
  bool created = false;   // it did not exist and was made
  bool notFolder = false; // a file or something else holds the name
  std::string error;      // why the folder cannot take the headers; empty when it can
};

// `dir` is a prefix ending with "/". The error is the system's reason
// ("Permission denied", "Not a directory").
OutputFolder PrepareOutputFolder(const std::string &dir);

} // namespace torvio
