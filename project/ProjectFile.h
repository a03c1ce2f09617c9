// The .tvd project file: magic string, the raw UserData record, and (version
// 2) the project's output folder. Qt-free so that the program and
// torvio-gen share one reader and one writer.
#pragma once

#include "parvex.h"
#include "parvex/Mechanics.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvio {

enum class ProjectReadStatus {
  Ok,
  UnknownFormat,   // the magic is neither version 1 nor version 2
  EndOfFile,       // the data ends before an item or a string announced
  InvalidArgument, // a 16-bit string announces a negative length
  TooLarge,        // more bytes than any project file holds
};

// The most bytes a project file may hold: the record and a folder path take
// a few kilobytes, so anything larger (a device, a huge file named as a
// project) is refused rather than read into memory. Readers read at most one
// byte more than this.
inline constexpr std::size_t kMaxProjectFileSize = 1024 * 1024;

struct ProjectContents {
  UserData data{};
  std::string outputDir; // empty for version 1 files
  int version = 2;
  // Not in the file's bytes: kept beside it (MechanicsFile.h), or in the
  // project's JSON.
  std::optional<parvex::Mechanics> mechanics;
};

// Encodes a version 2 file.
std::vector<std::uint8_t> EncodeProject(const UserData &data, const std::string &outputDir);

// Decodes a file of version 1 or 2 into `out`. `out` is written only when the
// whole file was read successfully, so a failure leaves the caller's record
// exactly as it was.
ProjectReadStatus DecodeProject(const std::uint8_t *bytes, std::size_t size, ProjectContents &out);

// A one-line English description of a failed read, for messages.
const char *ProjectReadStatusText(ProjectReadStatus status);

} // namespace torvio
