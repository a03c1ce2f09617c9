// Running one search on every path this machine has and comparing each
// outcome with the portable path's, field by field.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "Search.h"
#include "SweepPath.h"

namespace sirenta {

// The paths besides the portable one that this build and processor run.
inline std::vector<SweepPath> VectorPaths() {
  std::vector<SweepPath> paths;
  for (SweepPath path : kSweepPaths)
    if (path != SweepPath::kPortable && PathAvailable(path))
      paths.push_back(path);
  return paths;
}

enum class Technique { kSingleShunt, kThreeShunts };

struct Outcome {
  int result = 0;
  SirentaParams params{};
  SearchTrace trace;
};

inline Outcome RunOn(Technique technique, const SirentaParams &params, SweepPath path) {
  Outcome o;
  o.params = params;
  o.result = technique == Technique::kSingleShunt ? SearchSingleShuntOn(path, o.params, o.trace)
                                                  : SearchThreeShuntOn(path, o.params, o.trace);
  return o;
}

// Everything a search reports: its result, the whole record afterwards and
// where it stopped, to the last bit of the angle.
inline void ExpectSameOutcome(const Outcome &expected, const Outcome &actual,
                              const std::string &what) {
  EXPECT_EQ(actual.result, expected.result) << what;
  EXPECT_EQ(actual.params.maxModulationIndex, expected.params.maxModulationIndex) << what;
  EXPECT_EQ(actual.trace.limitFound, expected.trace.limitFound) << what;
  EXPECT_EQ(actual.trace.index, expected.trace.index) << what;
  EXPECT_EQ(std::bit_cast<std::uint64_t>(actual.trace.angle),
            std::bit_cast<std::uint64_t>(expected.trace.angle))
      << what << " angle " << expected.trace.angle << " vs " << actual.trace.angle;
  EXPECT_EQ(actual.trace.evaluations, expected.trace.evaluations) << what;
}

// Both techniques on every vector path against the portable path; returns the
// number of comparisons made.
inline int ExpectSameOnEveryPath(const SirentaParams &params, const std::string &what) {
  int compared = 0;
  for (Technique technique : {Technique::kSingleShunt, Technique::kThreeShunts}) {
    const Outcome portable = RunOn(technique, params, SweepPath::kPortable);
    const char *name = technique == Technique::kSingleShunt ? " 1sh " : " 3sh ";
    for (SweepPath path : VectorPaths()) {
      ExpectSameOutcome(portable, RunOn(technique, params, path), what + name + PathName(path));
      ++compared;
    }
  }
  return compared;
}

} // namespace sirenta
