// Project files on disk: read and decoded safely, replaced atomically. The
// program and torvio-gen both load and save through here.
#pragma once

#include "ProjectFile.h"
#include "torvio/Result.h"

#include <optional>
#include <string>

namespace torvio {

struct LoadedProject {
  std::optional<ProjectContents> project; // set when the whole file was read
  ProjectReadStatus status = ProjectReadStatus::Ok;
  std::string error; // one English sentence when `project` is empty
  // The mechanics file beside the project could not be read: the project
  // is loaded without mechanics, and this says why.
  std::string mechanicsWarning;
};

// Reads the project at `path` (the bytes of the path, as the file system
// takes them): only a regular file, at most kMaxProjectFileSize bytes; and
// its mechanics from beside it.
LoadedProject LoadProject(const std::string &path);

// Writes a version 2 project file with the output folder's bytes as given,
// replacing `path` atomically (see ReplaceFile): a failure leaves the
// previous file as it was. Then the mechanics beside it, or removes a file
// of mechanics there when there are none. On failure one English sentence.
Status SaveProject(const std::string &path, const UserData &record, const std::string &outputFolder,
                   const std::optional<parvex::Mechanics> &mechanics);

} // namespace torvio
