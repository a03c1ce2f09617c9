#include "SpaceVectorAvx2.h"

#include "VectorPhaseTimes.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

SIRENTA_AVX2 void PhaseTimesAvx2(const PwmTimer &timer, std::span<const ReferenceVector, 8> vectors,
                                 std::span<PhaseTimes, 8> out) {
  using namespace avx2;
  const PhaseLanes p = Phases(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(vectors.data())),
                              Broadcast(timer));
  alignas(32) int tA[8], tB[8], tC[8];
  _mm256_store_si256(reinterpret_cast<__m256i *>(tA), p.tA);
  _mm256_store_si256(reinterpret_cast<__m256i *>(tB), p.tB);
  _mm256_store_si256(reinterpret_cast<__m256i *>(tC), p.tC);
  const unsigned in14 = LaneBits(p.in14), in36 = LaneBits(p.in36), yNeg = LaneBits(p.yNeg);
  for (unsigned i = 0; i < 8; ++i)
    out[i] = {SectorOfLane(in14 >> i & 1, in36 >> i & 1, yNeg >> i & 1), U16(tA[i]), U16(tB[i]),
              U16(tC[i])};
}

#else

void PhaseTimesAvx2(const PwmTimer &timer, std::span<const ReferenceVector, 8> vectors,
                    std::span<PhaseTimes, 8> out) {
  for (std::size_t i = 0; i < vectors.size(); ++i)
    out[i] = ComputePhaseTimes(vectors[i].vAlpha, vectors[i].vBeta, timer);
}

#endif

} // namespace sirenta
