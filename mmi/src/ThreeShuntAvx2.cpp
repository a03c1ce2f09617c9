// The three-shunt stopping test for eight vectors at a time.
#include "ThreeShuntModel.h"

#include "SpaceVectorAvx2.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

namespace {

using namespace avx2;

struct ThreeShuntLanes {
  TimerLanes timer;
  __m256i per, twoPerLess1, tw, sampleWindow;
};

// Bit i set when the limit is reached at vector i (ThreeShuntModel::Stops on
// SamplingInstant).
SIRENTA_AVX2 inline unsigned StopBits(__m256i packed, const ThreeShuntLanes &k) {
  const PhaseLanes p = Phases(packed, k.timer);
  // The leading time M: tA in sectors 1 and 6, tC in 4 and 5, else tB. Its
  // companion N: tB in sectors 1 and 4, tC in 3 and 6, else tA.
  const __m256i in16 = _mm256_andnot_si256(p.yNeg, p.zNeg);
  const __m256i in45 = _mm256_andnot_si256(_mm256_andnot_si256(p.zNeg, p.xPos), p.yNeg);
  // Both only enter differences and sums that keep their low 16 bits.
  const __m256i m = Select(in16, p.tA, Select(in45, p.tC, p.tB));
  const __m256i n = Select(p.in36, p.tC, Select(p.in14, p.tB, p.tA));
  const __m256i tA = U16(p.tA);

  // Every value compared lies in -65535 to 131070, so signed 32-bit
  // comparisons are the scalar ones.
  const __m256i beforeEnd = U16(_mm256_sub_epi32(k.per, m));
  const __m256i roomBeforeEnd = _mm256_cmpgt_epi32(beforeEnd, k.tw);
  const __m256i wideGap =
      _mm256_cmpgt_epi32(U16(_mm256_sub_epi32(m, n)), _mm256_add_epi32(beforeEnd, beforeEnd));
  const __m256i s = U16(_mm256_add_epi32(m, k.tw));
  const __m256i beforeHalfPeriod = _mm256_cmpgt_epi32(k.per, s);
  const __m256i folded = U16(_mm256_sub_epi32(k.twoPerLess1, s));
  const __m256i clearOfA = _mm256_cmpgt_epi32(_mm256_sub_epi32(folded, tA), k.sampleWindow);
  const __m256i goesOn = _mm256_or_si256(_mm256_or_si256(roomBeforeEnd, wideGap),
                                         _mm256_or_si256(beforeHalfPeriod, clearOfA));
  return ~LaneBits(goesOn) & 0xFFu;
}

} // namespace

SIRENTA_AVX2 std::size_t
ThreeShuntModel::FirstLimitAvx2(std::span<const ReferenceVector> vectors) const {
  const ThreeShuntTiming &t = timing_;
  const ThreeShuntLanes k{Broadcast(t.timer), _mm256_set1_epi32(t.timer.per),
                          _mm256_set1_epi32(2 * t.timer.per - 1), _mm256_set1_epi32(t.tw),
                          _mm256_set1_epi32(t.sampleWindow)};
  const std::size_t n = vectors.size();
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    const __m256i packed = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(&vectors[i]));
    const unsigned stops = StopBits(packed, k);
    if (stops != 0)
      return i + static_cast<std::size_t>(__builtin_ctz(stops));
  }
  return i + FirstLimitPortable(vectors.subspan(i));
}

#else

std::size_t ThreeShuntModel::FirstLimitAvx2(std::span<const ReferenceVector> vectors) const {
  return FirstLimitPortable(vectors);
}

#endif

} // namespace sirenta
