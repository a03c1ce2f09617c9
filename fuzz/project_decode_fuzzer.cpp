// The .tvd reader on arbitrary bytes: it must never read outside the input,
// and whatever it accepts must survive a write and a second read unchanged.
#include "ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  torvio::ProjectContents before;
  before.data.PolePairs.Value = 0x5A5A5A5A;
  torvio::ProjectContents read = before;
  const torvio::ProjectReadStatus status = torvio::DecodeProject(bytes, size, read);
  if (status != torvio::ProjectReadStatus::Ok) {
    // A failed read leaves the caller's contents as they were.
    if (std::memcmp(&read.data, &before.data, sizeof(UserData)) != 0 || !read.outputDir.empty())
      std::abort();
    if (std::strlen(torvio::ProjectReadStatusText(status)) == 0)
      std::abort();
    return 0;
  }
  const auto encoded = torvio::EncodeProject(read.data, read.outputDir);
  torvio::ProjectContents again;
  if (torvio::DecodeProject(encoded.data(), encoded.size(), again) != torvio::ProjectReadStatus::Ok)
    std::abort();
  if (std::memcmp(&again.data, &read.data, sizeof(UserData)) != 0)
    std::abort();
  // A version 1 file has no folder; what was read is written back as is.
  if (again.outputDir != read.outputDir || again.version != 2)
    std::abort();
  return 0;
}
