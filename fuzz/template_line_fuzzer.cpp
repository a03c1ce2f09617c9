// One template line of any bytes through the line processing, with the
// blocks of the default record, into /dev/null.
#include "generation/DefinitionTable.h"
#include "generation/GenerationContext.h"
#include "generation/HeaderOutput.h"
#include "generation/TemplateLine.h"
#include "parvex.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void CheckLine(const char *text, int severity) {
  if (!text || severity < 0 || severity > 2)
    std::abort();
  (void)std::strlen(text);
}

struct Setup {
  UserData data{};
  parvex::GenerationContext ctx;
  std::FILE *sink = nullptr;
  Setup() {
    if (PARVEX_SetDefault(&data) != 0 || parvex::BuildHeaderBlocks(data, ctx) != 0)
      std::abort();
    sink = std::fopen("/dev/null", "w");
    if (!sink)
      std::abort();
  }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  static Setup setup;
  // The first byte says whether warnings go to a callback.
  const bool withLog = size > 0 && (bytes[0] & 1) != 0;
  const GenerateSourcesArgs args{"", "", withLog ? CheckLine : nullptr};
  const std::string_view line(reinterpret_cast<const char *>(bytes), size);
  parvex::FileHeaderOutput out(setup.sink);
  setup.ctx.warningCount = 0;
  const int code = parvex::ProcessTemplateLine(args, line, setup.ctx, out, setup.data);
  if (code != 0 && code != 6)
    std::abort();
  // Only a line holding the token can be refused.
  if (code == 6 && line.find(parvex::kTokenPrefix) == std::string_view::npos)
    std::abort();
  if (setup.ctx.warningCount < 0 || (!withLog && setup.ctx.warningCount != 0))
    std::abort();
  return 0;
}
