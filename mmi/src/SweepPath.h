// How a search scans the angles of one index: one vector at a time (the
// portable path, every processor and platform), eight at a time with AVX2 or
// sixteen at a time with AVX-512. All give the same result bit for bit; the
// choice is made at run time from what the processor offers.
#pragma once

#include <array>

namespace sirenta {

enum class SweepPath {
  kPortable, // one vector after the other, through the model's own code
  kAvx2,     // eight vectors in one register, the same integer arithmetic
  kAvx512,   // sixteen vectors in one register, the same integer arithmetic
};

inline constexpr std::array<SweepPath, 3> kSweepPaths = {SweepPath::kPortable, SweepPath::kAvx2,
                                                         SweepPath::kAvx512};

const char *PathName(SweepPath path);

// True when this build holds the path and the processor and operating system
// run it. The portable path is always available.
bool PathAvailable(SweepPath path);

// The path a search takes unless told otherwise: the widest available.
SweepPath FastestPath();

// The path actually taken when `requested` is asked for: a path this machine
// cannot run falls back to the portable one.
SweepPath UsablePath(SweepPath requested);

} // namespace sirenta
