#include "SweepPath.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace sirenta {
namespace {

TEST(SweepPath, PortableIsAlwaysThere) {
  EXPECT_TRUE(PathAvailable(SweepPath::kPortable));
  EXPECT_EQ(UsablePath(SweepPath::kPortable), SweepPath::kPortable);
}

TEST(SweepPath, AMissingPathFallsBackToThePortableOne) {
  for (SweepPath path : kSweepPaths)
    EXPECT_EQ(UsablePath(path), PathAvailable(path) ? path : SweepPath::kPortable)
        << PathName(path);
}

// The widest available: no path after it in the list is available.
TEST(SweepPath, FastestIsTheWidestAvailable) {
  const SweepPath fastest = FastestPath();
  EXPECT_TRUE(PathAvailable(fastest));
  bool after = false;
  for (SweepPath path : kSweepPaths) {
    if (after) {
      EXPECT_FALSE(PathAvailable(path)) << PathName(path);
    }
    after = after || path == fastest;
  }
}

TEST(SweepPath, NamesAreDistinct) {
  std::set<std::string> names;
  for (SweepPath path : kSweepPaths)
    names.insert(PathName(path));
  EXPECT_EQ(names.size(), kSweepPaths.size());
}

// Where the vector scans are built, they follow the processor's own report.
TEST(SweepPath, VectorPathsFollowTheProcessor) {
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_WIN32)
  EXPECT_EQ(PathAvailable(SweepPath::kAvx2), __builtin_cpu_supports("avx2") != 0);
  EXPECT_EQ(PathAvailable(SweepPath::kAvx512), __builtin_cpu_supports("avx512f") != 0);
#else
  EXPECT_FALSE(PathAvailable(SweepPath::kAvx2));
  EXPECT_FALSE(PathAvailable(SweepPath::kAvx512));
#endif
}

} // namespace
} // namespace sirenta
