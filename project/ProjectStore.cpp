#include "ProjectStore.h"

#include "FileReplace.h"
#include "torvio/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace torvio {

namespace {

// At most kMaxProjectFileSize + 1 bytes, so that the decoder can tell a
// file that is too large.
bool ReadBytes(int fd, std::string &bytes, int &error) {
  const std::size_t limit = kMaxProjectFileSize + 1;
  bytes.resize(limit);
  std::size_t size = 0;
  while (size < limit) {
    const ssize_t n = ::read(fd, bytes.data() + size, limit - size);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      error = errno;
      return false;
    }
    if (n == 0)
      break;
    size += static_cast<std::size_t>(n);
  }
  bytes.resize(size);
  return true;
}

} // namespace

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
  std::string bytes;
  int error = 0;
  const bool read = ReadBytes(file.fd, bytes, error);
  ::close(file.fd);
  if (!read) {
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
  result.project = std::move(contents);
  return result;
}

SavedProject SaveProject(const std::string &path, const UserData &record,
                         const std::string &outputFolder) {
  SavedProject result;
  try {
    const std::vector<std::uint8_t> bytes = EncodeProject(record, outputFolder);
    result.ok = ReplaceFile(
        path, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()),
        result.error);
  } catch (const std::exception &e) {
    result.error = e.what();
  }
  return result;
}

} // namespace torvio
