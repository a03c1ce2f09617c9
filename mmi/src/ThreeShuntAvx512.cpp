// The three-shunt stopping test for sixteen vectors at a time; the same
// conditions as ThreeShuntAvx2.cpp.
#include "ThreeShuntModel.h"

#include "SpaceVectorAvx512.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

namespace {

using namespace avx512;

struct ThreeShuntLanes {
  TimerLanes timer;
  __m512i per, twoPerLess1, tw, sampleWindow;
};

// Bit i set when the limit is reached at vector i.
SIRENTA_AVX512 inline unsigned StopBits(__m512i packed, const ThreeShuntLanes &k) {
  const PhaseLanes p = Phases(packed, k.timer);
  const __mmask16 in16 = static_cast<__mmask16>(~p.yNeg) & p.zNeg;
  const __mmask16 in45 = p.yNeg & (p.zNeg | static_cast<__mmask16>(~p.xPos));
  const __m512i m = Select(in16, p.tA, Select(in45, p.tC, p.tB));
  const __m512i n = Select(p.in36, p.tC, Select(p.in14, p.tB, p.tA));
  const __m512i tA = U16(p.tA);

  const __m512i beforeEnd = U16(_mm512_sub_epi32(k.per, m));
  const __m512i s = U16(_mm512_add_epi32(m, k.tw));
  const __m512i folded = U16(_mm512_sub_epi32(k.twoPerLess1, s));
  const __mmask16 goesOn =
      Greater(beforeEnd, k.tw) |
      Greater(U16(_mm512_sub_epi32(m, n)), _mm512_add_epi32(beforeEnd, beforeEnd)) |
      Greater(k.per, s) | Greater(_mm512_sub_epi32(folded, tA), k.sampleWindow);
  return static_cast<__mmask16>(~goesOn);
}

} // namespace

SIRENTA_AVX512 std::size_t
ThreeShuntModel::FirstLimitAvx512(std::span<const ReferenceVector> vectors) const {
  const ThreeShuntTiming &t = timing_;
  const ThreeShuntLanes k{Broadcast(t.timer), _mm512_set1_epi32(t.timer.per),
                          _mm512_set1_epi32(2 * t.timer.per - 1), _mm512_set1_epi32(t.tw),
                          _mm512_set1_epi32(t.sampleWindow)};
  const std::size_t n = vectors.size();
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    const unsigned stops = StopBits(_mm512_loadu_si512(&vectors[i]), k);
    if (stops != 0)
      return i + static_cast<std::size_t>(__builtin_ctz(stops));
  }
  return i + FirstLimitPortable(vectors.subspan(i));
}

#else

std::size_t ThreeShuntModel::FirstLimitAvx512(std::span<const ReferenceVector> vectors) const {
  return FirstLimitPortable(vectors);
}

#endif

} // namespace sirenta
