#include "ProjectStore.h"

#include "FileReplace.h"
#include "MechanicsFile.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/System.h"

#include <cerrno>
#include <cstring>

namespace torvio {

LoadedProject LoadProject(const std::string &path) {
  LoadedProject result;
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.notRegular) {
    result.error = "This is not a regular file: a folder, device or pipe cannot be a project file.";
    return result;
  }
  if (file.fd < 0) {
    result.error = std::strerror(file.error);
    return result;
  }
  // One byte more than a project may have, so that the decoder can tell a
  // file that is too large.
  std::string bytes;
  const int error = ReadAtMost(file.fd, kMaxProjectFileSize + 1, bytes);
  CloseFile(file.fd);
  if (error != 0) {
    result.error = std::strerror(error);
    return result;
  }
  ProjectContents contents;
  result.status =
      DecodeProject(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size(), contents);
  if (result.status != ProjectReadStatus::Ok) {
    result.error = ProjectReadStatusText(result.status);
    return result;
  }
  const Result<std::optional<parvex::Mechanics>> mechanics = ReadMechanics(path);
  if (mechanics)
    contents.mechanics = *mechanics;
  else
    result.mechanicsWarning = mechanics.error();
  result.project = std::move(contents);
  return result;
}

Status SaveProject(const std::string &path, const UserData &record, const std::string &outputFolder,
                   const std::optional<parvex::Mechanics> &mechanics) {
  try {
    const std::vector<std::uint8_t> bytes = EncodeProject(record, outputFolder);
    const Status written = ReplaceFile(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    if (!written)
      return written;
  } catch (const std::exception &e) {
    return Failure{e.what()};
  }
  // The project's bytes are written first: they are what matters most.
  return WriteMechanics(path, mechanics);
}

} // namespace torvio
