#include "SweepPath.h"

#include "VectorTargets.h"

namespace sirenta {

const char *PathName(SweepPath path) {
  switch (path) {
  case SweepPath::kPortable:
    return "portable";
  case SweepPath::kAvx2:
    return "AVX2";
  case SweepPath::kAvx512:
    return "AVX-512";
  }
  return "?";
}

bool PathAvailable(SweepPath path) {
#if SIRENTA_HAS_VECTOR_SCANS
  // These checks include the operating system's saving of the wide registers.
  static const bool avx2 = __builtin_cpu_supports("avx2") != 0;
  static const bool avx512 = __builtin_cpu_supports("avx512f") != 0;
  switch (path) {
  case SweepPath::kPortable:
    return true;
  case SweepPath::kAvx2:
    return avx2;
  case SweepPath::kAvx512:
    return avx512;
  }
  return false;
#else
  return path == SweepPath::kPortable;
#endif
}

SweepPath FastestPath() {
  static const SweepPath fastest = PathAvailable(SweepPath::kAvx512) ? SweepPath::kAvx512
                                   : PathAvailable(SweepPath::kAvx2) ? SweepPath::kAvx2
                                                                     : SweepPath::kPortable;
  return fastest;
}

SweepPath UsablePath(SweepPath requested) {
  return PathAvailable(requested) ? requested : SweepPath::kPortable;
}

} // namespace sirenta
