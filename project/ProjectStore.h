// Project files on disk: read and decoded safely, replaced atomically. The
// program and torvio-gen both load and save through here.
#pragma once

#include "ProjectFile.h"

#include <optional>
#include <string>

namespace torvio {

struct LoadedProject {
  std::optional<ProjectContents> project; // set when the whole file was read
  ProjectReadStatus status = ProjectReadStatus::Ok;
  std::string error; // one English sentence when `project` is empty
};

// Reads the project at `path` (the bytes of the path, as the file system
// takes them): only a regular file, at most kMaxProjectFileSize bytes.
LoadedProject LoadProject(const std::string &path);

struct SavedProject {
  bool ok = false;
  std::string error; // one English sentence when not saved
};

// Writes a version 2 project file with the output folder's bytes as given,
// replacing `path` atomically (see ReplaceFile): a failure leaves the
// previous file as it was.
SavedProject SaveProject(const std::string &path, const UserData &record,
                         const std::string &outputFolder);

} // namespace torvio
