// A whole generation run: the first 1992 bytes are the record (laid over the
// default record when the input is shorter), the next byte chooses which of
// the nine templates exist, and the rest is the text of each of them.
#include "parvex.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char *const kTemplates[] = {
    "MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
    "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
    "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

std::string MakeFolder() {
  char pattern[] = "/tmp/torvio-fuzz-XXXXXX";
  if (!mkdtemp(pattern))
    std::abort();
  return std::string(pattern) + "/";
}

// Made once: the default record costs a modulation-index search.
struct Setup {
  std::string templates = MakeFolder();
  std::string output = MakeFolder();
  UserData defaults{};
  Setup() {
    if (PARVEX_SetDefault(&defaults) != 0)
      std::abort();
  }
  // Runs when the fuzzer ends normally; a crashed run leaves its folders
  // for inspection.
  ~Setup() {
    std::error_code ec;
    std::filesystem::remove_all(templates, ec);
    std::filesystem::remove_all(output, ec);
  }
};

int gLines = 0;

void CountLine(const char *text, int severity) {
  if (!text || severity < 0 || severity > 2)
    std::abort();
  (void)std::strlen(text);
  ++gLines;
}

void WriteTemplate(const std::string &path, const std::uint8_t *text, std::size_t size) {
  std::FILE *f = std::fopen(path.c_str(), "wb");
  if (!f)
    std::abort();
  if (size > 0 && std::fwrite(text, 1, size, f) != size)
    std::abort();
  std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  static Setup setup;
  UserData data = setup.defaults;
  const std::size_t recordBytes = size < sizeof data ? size : sizeof data;
  std::memcpy(&data, bytes, recordBytes);
  bytes += recordBytes;
  size -= recordBytes;

  const unsigned present = size > 0 ? bytes[0] : 0xFF;
  if (size > 0) {
    ++bytes;
    --size;
  }
  for (int i = 0; i < 9; ++i) {
    const std::string path = setup.templates + kTemplates[i] + ".th";
    if ((present >> (i % 8)) & 1)
      WriteTemplate(path, bytes, size);
    else
      std::remove(path.c_str());
  }

  const GenerateSourcesArgs args{setup.templates.c_str(), setup.output.c_str(), CountLine};
  const UserData before = data;
  gLines = 0;
  if (PARVEX_GenerateSources(&data, &args) != 0)
    std::abort();
  // The record is only read; every run reports at least its head, nine
  // "Generating File" and nine "Exit code" lines and the end line.
  if (std::memcmp(&before, &data, sizeof data) != 0 || gLines < 22)
    std::abort();
  return 0;
}
