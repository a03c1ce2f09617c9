// One full generation run over the bundled templates, against a plain copy
// of the same nine files: the cost of generation beyond the file traffic.
#include "parvex.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char *const kNames[] = {"MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
                              "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
                              "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

std::string templatesDir; // ends with "/"
std::string outputDir;    // ends with "/"

void IgnoreLine(const char *, int) {}

void BM_GenerateSources(benchmark::State &state) {
  UserData data{};
  PARVEX_SetDefault(&data);
  const GenerateSourcesArgs args{templatesDir.c_str(), outputDir.c_str(), &IgnoreLine};
  for (auto _ : state)
    benchmark::DoNotOptimize(PARVEX_GenerateSources(&data, &args));
}
BENCHMARK(BM_GenerateSources)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();

void CopyFile(const std::string &from, const std::string &to) {
  std::FILE *in = std::fopen(from.c_str(), "rb");
  std::FILE *out = std::fopen(to.c_str(), "wb");
  char buffer[4096];
  std::size_t n = 0;
  while (in && out && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
    std::fwrite(buffer, 1, n, out);
  if (in)
    std::fclose(in);
  if (out)
    std::fclose(out);
}

void BM_CopyTemplates(benchmark::State &state) {
  for (auto _ : state) {
    for (const char *name : kNames)
      CopyFile(templatesDir + name + ".th", outputDir + name + ".h");
  }
}
BENCHMARK(BM_CopyTemplates)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly();

// Prints as usual and keeps the median of each benchmark.
class MedianReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      if (run.aggregate_name == "median")
        medians[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
  }
  struct Median {
    double real;
    double cpu;
  };
  std::map<std::string, Median> medians;
};

} // namespace

int main(int argc, char **argv) {
  const fs::path program = fs::absolute(argv[0]).parent_path();
  templatesDir = (program / "Templates").string() + "/";
  const fs::path out = fs::temp_directory_path() / "parvex_generate_bench";
  fs::create_directories(out);
  outputDir = out.string() + "/";
  for (const char *name : kNames) {
    if (!fs::exists(templatesDir + name + ".th")) {
      std::cerr << "templates not found in " << templatesDir << "\n";
      return 1;
    }
  }

  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const auto generate = reporter.medians.find("BM_GenerateSources");
  const auto copy = reporter.medians.find("BM_CopyTemplates");
  if (generate != reporter.medians.end() && copy != reporter.medians.end() &&
      copy->second.real > 0 && copy->second.cpu > 0) {
    const auto &g = generate->second;
    const auto &c = copy->second;
    std::cout << "median generate: " << g.real << " us wall, " << g.cpu << " us CPU\n"
              << "median copy:     " << c.real << " us wall, " << c.cpu << " us CPU\n"
              << "ratio generate/copy: " << g.real / c.real << " wall, " << g.cpu / c.cpu
              << " CPU\n";
  }
  fs::remove_all(out);
  return 0;
}
