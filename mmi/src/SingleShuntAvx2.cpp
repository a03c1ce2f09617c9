// The single-shunt stopping test for eight vectors at a time.
#include "SingleShuntModel.h"

#include <climits>

#include "SpaceVectorAvx2.h"

namespace sirenta {

#if SIRENTA_HAS_VECTOR_SCANS

namespace {

using namespace avx2;

struct SingleShuntLanes {
  TimerLanes timer;
  __m256i tminHigh; // tmin x 65536, or INT_MAX where tmin exceeds any s16
  __m256i shiftedSample2, sampleWindow;
};

// Bit i set when the limit is reached at vector i (SingleShuntModel::
// LimitReached: phase B or C shifted, and the second instant too close to
// phase A's edge).
SIRENTA_AVX2 inline unsigned StopBits(__m256i packed, const SingleShuntLanes &k) {
  const PhaseLanes p = Phases(packed, k.timer);
  // The three times as signed 16-bit values, ascending. Each is kept in the
  // high half of its lane (the value times 65536), which orders them alike,
  // and makes each difference of two the s16 difference times 65536.
  const __m256i a = _mm256_slli_epi32(p.tA, 16);
  const __m256i b = _mm256_slli_epi32(p.tB, 16);
  const __m256i c = _mm256_slli_epi32(p.tC, 16);
  const __m256i lo = _mm256_min_epi32(a, b), hi = _mm256_max_epi32(a, b);
  const __m256i min = _mm256_min_epi32(lo, c);
  const __m256i mid = _mm256_max_epi32(lo, _mm256_min_epi32(hi, c));
  const __m256i max = _mm256_max_epi32(hi, c);
  const __m256i upperWide = _mm256_cmpgt_epi32(_mm256_sub_epi32(max, mid), k.tminHigh);
  const __m256i lowerWide = _mm256_cmpgt_epi32(_mm256_sub_epi32(mid, min), k.tminHigh);
  // Case 1 (only the lower window wide) shifts B or C in sectors 1 to 4;
  // case 2 (only the upper one) in sectors 1, 4, 5 and 6, that is wherever
  // wZ < 0 or (wY < 0 and wX <= 0).
  const __m256i case1 = _mm256_andnot_si256(upperWide, lowerWide);
  const __m256i case2 = _mm256_andnot_si256(lowerWide, upperWide);
  const __m256i in56 = _mm256_andnot_si256(_mm256_andnot_si256(p.yNeg, p.xPos), p.zNeg);
  const __m256i notIn23 = _mm256_or_si256(p.zNeg, _mm256_andnot_si256(p.xPos, p.yNeg));
  const __m256i shiftsBOrC =
      _mm256_or_si256(_mm256_andnot_si256(in56, case1), _mm256_and_si256(case2, notIn23));

  // Phase A keeps its time but for the replacement of a negative one by 12.
  const __m256i tA = U16(p.tA);
  const __m256i dutyA =
      Select(_mm256_cmpgt_epi32(tA, _mm256_set1_epi32(61439)), _mm256_set1_epi32(12), tA);
  const __m256i clearOfA =
      _mm256_cmpgt_epi32(_mm256_sub_epi32(k.shiftedSample2, dutyA), k.sampleWindow);
  return LaneBits(_mm256_andnot_si256(clearOfA, shiftsBOrC));
}

} // namespace

SIRENTA_AVX2 std::size_t
SingleShuntModel::FirstLimitAvx2(std::span<const ReferenceVector> vectors) const {
  // An s16 difference never exceeds 32767: above that tmin no window is wide.
  const int tminHigh = timing_.tmin <= 32767 ? timing_.tmin * 65536 : INT_MAX;
  const SingleShuntLanes k{Broadcast(timing_.timer), _mm256_set1_epi32(tminHigh),
                           _mm256_set1_epi32(ShiftedSample2()),
                           _mm256_set1_epi32(timing_.sampleWindow)};
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

std::size_t SingleShuntModel::FirstLimitAvx2(std::span<const ReferenceVector> vectors) const {
  return FirstLimitPortable(vectors);
}

#endif

} // namespace sirenta
