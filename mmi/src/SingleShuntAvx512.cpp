// The single-shunt stopping test for sixteen vectors at a time; the same
// conditions as SingleShuntAvx2.cpp.
#include "SingleShuntModel.h"

#include <climits>

#include "SpaceVectorAvx512.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

namespace {

using namespace avx512;

struct SingleShuntLanes {
  TimerLanes timer;
  __m512i tminHigh; // as in SingleShuntAvx2.cpp
  __m512i shiftedSample2, sampleWindow;
};

// Bit i set when the limit is reached at vector i.
SIRENTA_AVX512 inline unsigned StopBits(__m512i packed, const SingleShuntLanes &k) {
  const PhaseLanes p = Phases(packed, k.timer);
  // The three times as s16 values in the high halves, ascending.
  const __m512i a = _mm512_slli_epi32(p.tA, 16);
  const __m512i b = _mm512_slli_epi32(p.tB, 16);
  const __m512i c = _mm512_slli_epi32(p.tC, 16);
  const __m512i lo = _mm512_min_epi32(a, b), hi = _mm512_max_epi32(a, b);
  const __m512i min = _mm512_min_epi32(lo, c);
  const __m512i mid = _mm512_max_epi32(lo, _mm512_min_epi32(hi, c));
  const __m512i max = _mm512_max_epi32(hi, c);
  const __mmask16 upperWide = Greater(_mm512_sub_epi32(max, mid), k.tminHigh);
  const __mmask16 lowerWide = Greater(_mm512_sub_epi32(mid, min), k.tminHigh);
  const __mmask16 case1 = static_cast<__mmask16>(~upperWide) & lowerWide;
  const __mmask16 case2 = upperWide & static_cast<__mmask16>(~lowerWide);
  const __mmask16 in56 = p.zNeg & (p.yNeg | static_cast<__mmask16>(~p.xPos));
  const __mmask16 notIn23 = p.zNeg | (p.yNeg & static_cast<__mmask16>(~p.xPos));
  const __mmask16 shiftsBOrC = (case1 & static_cast<__mmask16>(~in56)) | (case2 & notIn23);

  const __m512i tA = U16(p.tA);
  const __m512i dutyA = Select(Greater(tA, _mm512_set1_epi32(61439)), _mm512_set1_epi32(12), tA);
  const __mmask16 clearOfA = Greater(_mm512_sub_epi32(k.shiftedSample2, dutyA), k.sampleWindow);
  return shiftsBOrC & static_cast<__mmask16>(~clearOfA);
}

} // namespace

SIRENTA_AVX512 std::size_t
SingleShuntModel::FirstLimitAvx512(std::span<const ReferenceVector> vectors) const {
  const int tminHigh = timing_.tmin <= 32767 ? timing_.tmin * 65536 : INT_MAX;
  const SingleShuntLanes k{Broadcast(timing_.timer), _mm512_set1_epi32(tminHigh),
                           _mm512_set1_epi32(ShiftedSample2()),
                           _mm512_set1_epi32(timing_.sampleWindow)};
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

std::size_t SingleShuntModel::FirstLimitAvx512(std::span<const ReferenceVector> vectors) const {
  return FirstLimitPortable(vectors);
}

#endif

} // namespace sirenta
