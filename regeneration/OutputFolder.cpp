#include "OutputFolder.h"

#include "torvio/platform/System.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace torvio {

OutputFolder PrepareOutputFolder(const std::string &dir) {
  namespace fs = std::filesystem;
  OutputFolder result;
  std::string path = dir;
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::exists(status) && !fs::is_directory(status)) {
    result.notFolder = true;
    result.error = std::strerror(ENOTDIR);
    return result;
  }
  if (!fs::exists(status)) {
    if (!fs::create_directories(path, ec) && ec) {
      result.error = ec.message();
      return result;
    }
    result.created = true;
  }
  if (!CanWriteInFolder(path.c_str()))
    result.error = std::strerror(errno);
  return result;
}

} // namespace torvio
