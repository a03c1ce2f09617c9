#include "SpaceVectorAvx512.h"

#include "VectorPhaseTimes.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

SIRENTA_AVX512 void PhaseTimesAvx512(const PwmTimer &timer,
                                     std::span<const ReferenceVector, 16> vectors,
                                     std::span<PhaseTimes, 16> out) {
  using namespace avx512;
  const PhaseLanes p = Phases(_mm512_loadu_si512(vectors.data()), Broadcast(timer));
  alignas(64) int tA[16], tB[16], tC[16];
  _mm512_store_si512(tA, p.tA);
  _mm512_store_si512(tB, p.tB);
  _mm512_store_si512(tC, p.tC);
  for (unsigned i = 0; i < 16; ++i)
    out[i] = {SectorOfLane(p.in14 >> i & 1, p.in36 >> i & 1, p.yNeg >> i & 1), U16(tA[i]),
              U16(tB[i]), U16(tC[i])};
}

#else

void PhaseTimesAvx512(const PwmTimer &timer, std::span<const ReferenceVector, 16> vectors,
                      std::span<PhaseTimes, 16> out) {
  for (std::size_t i = 0; i < vectors.size(); ++i)
    out[i] = ComputePhaseTimes(vectors[i].vAlpha, vectors[i].vBeta, timer);
}

#endif

} // namespace sirenta
