// The fuzzers' seed inputs through every path. The consistency check's fuzzer
// lays its bytes over a zeroed PARVEX record and runs the modulation-index
// query, which hands five of the record's settings to the search; this test
// reads them from the same places. It also reads the five timings from
// windows all through each file, for timings no record layout would give.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Defaults.h"
#include "PathComparison.h"
#include "parvex.h"

namespace sirenta {
namespace {

namespace fs = std::filesystem;

struct CorpusFile {
  std::string name;
  std::vector<char> bytes;
};

std::vector<CorpusFile> ReadCorpus() {
  std::vector<CorpusFile> files;
  for (const fs::directory_entry &e : fs::recursive_directory_iterator(SIRENTA_FUZZ_CORPUS)) {
    if (!e.is_regular_file())
      continue;
    std::ifstream in(e.path(), std::ios::binary);
    files.push_back({fs::relative(e.path(), SIRENTA_FUZZ_CORPUS).string(),
                     std::vector<char>(std::istreambuf_iterator<char>(in), {})});
  }
  std::sort(files.begin(), files.end(),
            [](const CorpusFile &a, const CorpusFile &b) { return a.name < b.name; });
  return files;
}

// The search's settings as the query takes them from a record.
SirentaParams FromRecord(const UserData &d) {
  SirentaParams p = ThreeShuntDefaults();
  p.pwmFrequency = d.PWMFrequency.Value;
  p.deadTime = d.DeadTime.Value;
  p.samplingTime = d.ADConverterSamplingTime;
  p.riseTime = d.Trise.Value;
  p.noiseTime = d.Tnoise.Value;
  return p;
}

std::uint32_t U32At(const std::vector<char> &bytes, std::size_t at) {
  std::uint32_t v;
  std::memcpy(&v, bytes.data() + at, sizeof v);
  return v;
}

TEST(CorpusPath, EveryPathGivesTheSameOutcome) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  const std::vector<CorpusFile> corpus = ReadCorpus();
  ASSERT_GE(corpus.size(), 20u) << SIRENTA_FUZZ_CORPUS;
  int compared = 0;
  for (const CorpusFile &file : corpus) {
    UserData record;
    std::memset(&record, 0, sizeof record);
    std::memcpy(&record, file.bytes.data(), std::min(file.bytes.size(), sizeof record));
    const SirentaParams fromRecord = FromRecord(record);
    compared += ExpectSameOnEveryPath(fromRecord, file.name + " as a record");

    // Three windows of five timings: at the start, the middle and the end.
    constexpr std::size_t kWindow = 5 * sizeof(std::uint32_t);
    if (file.bytes.size() < kWindow)
      continue;
    const std::size_t last = file.bytes.size() - kWindow;
    for (std::size_t k = 0; k < 3; ++k) {
      const std::size_t at = last * k / 2 / 4 * 4;
      SirentaParams p = ThreeShuntDefaults();
      p.pwmFrequency = U32At(file.bytes, at);
      p.deadTime = U32At(file.bytes, at + 4);
      p.samplingTime = U32At(file.bytes, at + 8);
      p.riseTime = U32At(file.bytes, at + 12);
      p.noiseTime = U32At(file.bytes, at + 16);
      compared += ExpectSameOnEveryPath(p, file.name + " at byte " + std::to_string(at));
    }
  }
  EXPECT_GT(compared, 0);
}

} // namespace
} // namespace sirenta
