// The space-vector arithmetic of SpaceVector.h for eight reference vectors at
// once, in the 32-bit lanes of an AVX2 register. Every step is the scalar
// one's integer operation: products and sums wrap modulo 2^32 as in the
// firmware, halving and D() truncate toward zero, and the phase times are
// kept as 32-bit sums whose low 16 bits are the u16 results (the low 16 bits
// of a sum depend only on the low 16 bits of its terms). Included only by the
// models' AVX2 scans.
#pragma once

#include "VectorTargets.h"

#if SIRENTA_HAS_VECTOR_SCANS

#include <immintrin.h>

#include "PwmTimer.h"

namespace sirenta::avx2 {

// v / 2^k, truncating toward zero: negative values are biased by 2^k - 1.
template <int K>
SIRENTA_AVX2 inline __m256i DivPow2(__m256i v) {
  const __m256i bias = _mm256_srli_epi32(_mm256_srai_epi32(v, 31), 32 - K);
  return _mm256_srai_epi32(_mm256_add_epi32(v, bias), K);
}

// "/ 2" on a signed value.
SIRENTA_AVX2 inline __m256i Half(__m256i v) {
  return _mm256_srai_epi32(_mm256_add_epi32(v, _mm256_srli_epi32(v, 31)), 1);
}

// D(x) = x / 131072.
SIRENTA_AVX2 inline __m256i D(__m256i v) {
  return DivPow2<17>(v);
}

// The low 16 bits of each lane read as a signed 16-bit value.
SIRENTA_AVX2 inline __m256i S16(__m256i v) {
  return _mm256_srai_epi32(_mm256_slli_epi32(v, 16), 16);
}

// The low 16 bits of each lane read as an unsigned 16-bit value.
SIRENTA_AVX2 inline __m256i U16(__m256i v) {
  return _mm256_and_si256(v, _mm256_set1_epi32(0xFFFF));
}

// Lanes whose mask has its sign bit set take `ifSet`, the others
// `otherwise`. Masks are read by their sign bit alone, so a signed value is
// its own mask for "negative".
SIRENTA_AVX2 inline __m256i Select(__m256i mask, __m256i ifSet, __m256i otherwise) {
  return _mm256_castps_si256(_mm256_blendv_ps(
      _mm256_castsi256_ps(otherwise), _mm256_castsi256_ps(ifSet), _mm256_castsi256_ps(mask)));
}

// The timer's terms broadcast to every lane, once per scan.
struct TimerLanes {
  __m256i negT; // -t: -(vBeta x t) is vBeta x -t modulo 2^32
  __m256i ts3;
  __m256i t;
  __m256i eighth; // t >> 3
};

SIRENTA_AVX2 inline TimerLanes Broadcast(const PwmTimer &timer) {
  const int t = timer.t;
  return {_mm256_set1_epi32(-t), _mm256_set1_epi32(timer.ts3), _mm256_set1_epi32(t),
          _mm256_set1_epi32(t >> 3)};
}

// The phase times of eight vectors and the sector they lie in, as masks
// (sign bit set where true; the other bits are not defined).
struct PhaseLanes {
  __m256i tA, tB, tC; // only the low 16 bits count
  __m256i yNeg;       // wY < 0
  __m256i zNeg;       // wZ < 0
  __m256i xPos;       // wX > 0
  __m256i in14;       // sector 1 or 4
  __m256i in36;       // sector 3 or 6 (neither: sector 2 or 5)
};

// `packed` holds eight ReferenceVector records: vAlpha in the low half of each
// lane, vBeta in the high half.
SIRENTA_AVX2 inline PhaseLanes Phases(__m256i packed, const TimerLanes &k) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i vAlpha = S16(packed);
  const __m256i vBeta = _mm256_srai_epi32(packed, 16);
  const __m256i wX = _mm256_mullo_epi32(vBeta, k.negT);
  const __m256i wUA = _mm256_mullo_epi32(vAlpha, k.ts3);
  const __m256i wY = Half(_mm256_add_epi32(wX, wUA));
  const __m256i wZ = Half(_mm256_sub_epi32(wX, wUA));

  PhaseLanes p;
  p.yNeg = _mm256_srai_epi32(wY, 31);
  p.zNeg = _mm256_srai_epi32(wZ, 31);
  p.xPos = _mm256_cmpgt_epi32(wX, zero);
  // Sectors 2 and 5: wY and wZ of one sign. Of the others, 1 (wZ < 0, wX > 0)
  // and 4 (wZ >= 0, wX <= 0) have wX > 0 exactly when wZ < 0.
  const __m256i signsDiffer = _mm256_xor_si256(p.yNeg, p.zNeg);
  const __m256i xWithZ = _mm256_cmpeq_epi32(p.xPos, p.zNeg);
  p.in14 = _mm256_and_si256(signsDiffer, xWithZ);
  p.in36 = _mm256_andnot_si256(xWithZ, signsDiffer);

  // tA = T/8 + D((T + first - second) / 2) with (first, second) = (wX, wZ) in
  // sectors 1 and 4, (wY, wZ) in 2 and 5, (wY, wX) in 3 and 6.
  const __m256i first = Select(p.in14, wX, wY);
  const __m256i second = Select(p.in36, wX, wZ);
  p.tA =
      _mm256_add_epi32(k.eighth, D(Half(_mm256_sub_epi32(_mm256_add_epi32(k.t, first), second))));
  const __m256i dX = D(wX);
  const __m256i dY = D(wY);
  const __m256i dZ = D(wZ);
  // Sectors 1, 2, 4, 5: tB = tA + D(wZ); sectors 3 and 6: tB = tC + D(wX)
  // with tC = tA - D(wY).
  p.tB = _mm256_add_epi32(p.tA, Select(p.in36, _mm256_sub_epi32(dX, dY), dZ));
  // Sectors 1 and 4: tC = tB - D(wX) = tA + D(wZ) - D(wX); else tA - D(wY).
  p.tC =
      _mm256_add_epi32(p.tA, Select(p.in14, _mm256_sub_epi32(dZ, dX), _mm256_sub_epi32(zero, dY)));
  return p;
}

// The sign bits of a mask's lanes as eight bits, lane 0 lowest.
SIRENTA_AVX2 inline unsigned LaneBits(__m256i mask) {
  return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(mask)));
}

} // namespace sirenta::avx2

#endif
