// The space-vector arithmetic of SpaceVectorAvx2.h for sixteen reference
// vectors at once, in the 32-bit lanes of an AVX-512 register, with the
// conditions held in mask registers. The same integer operations as the
// scalar code; see SpaceVectorAvx2.h for how the lanes stand for u16 and s16
// values. Included only by the models' AVX-512 scans.
#pragma once

#include "VectorTargets.h"

#if SIRENTA_HAS_VECTOR_SCANS

// GCC 12's AVX-512 header fills unused lanes from a self-initialised
// variable, which its own uninitialised-use warnings report once inlined.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#else
#include <immintrin.h>
#endif

#include "PwmTimer.h"

namespace sirenta::avx512 {

// v / 2^k, truncating toward zero: negative values are biased by 2^k - 1.
template <int K>
SIRENTA_AVX512 inline __m512i DivPow2(__m512i v) {
  const __m512i bias = _mm512_srli_epi32(_mm512_srai_epi32(v, 31), 32 - K);
  return _mm512_srai_epi32(_mm512_add_epi32(v, bias), K);
}

// "/ 2" on a signed value.
SIRENTA_AVX512 inline __m512i Half(__m512i v) {
  return _mm512_srai_epi32(_mm512_add_epi32(v, _mm512_srli_epi32(v, 31)), 1);
}

// D(x) = x / 131072.
SIRENTA_AVX512 inline __m512i D(__m512i v) {
  return DivPow2<17>(v);
}

// The low 16 bits of each lane read as an unsigned 16-bit value.
SIRENTA_AVX512 inline __m512i U16(__m512i v) {
  return _mm512_and_si512(v, _mm512_set1_epi32(0xFFFF));
}

// Lanes where mask is set take `ifSet`, the others `otherwise`.
SIRENTA_AVX512 inline __m512i Select(__mmask16 mask, __m512i ifSet, __m512i otherwise) {
  return _mm512_mask_blend_epi32(mask, otherwise, ifSet);
}

SIRENTA_AVX512 inline __mmask16 Greater(__m512i a, __m512i b) {
  return _mm512_cmpgt_epi32_mask(a, b);
}

// The timer's terms broadcast to every lane, once per scan.
struct TimerLanes {
  __m512i negT; // -t: -(vBeta x t) is vBeta x -t modulo 2^32
  __m512i ts3;
  __m512i t;
  __m512i eighth; // t >> 3
};

SIRENTA_AVX512 inline TimerLanes Broadcast(const PwmTimer &timer) {
  const int t = timer.t;
  return {_mm512_set1_epi32(-t), _mm512_set1_epi32(timer.ts3), _mm512_set1_epi32(t),
          _mm512_set1_epi32(t >> 3)};
}

// The phase times of sixteen vectors and the sector they lie in.
struct PhaseLanes {
  __m512i tA, tB, tC; // only the low 16 bits count
  __mmask16 yNeg;     // wY < 0
  __mmask16 zNeg;     // wZ < 0
  __mmask16 xPos;     // wX > 0
  __mmask16 in14;     // sector 1 or 4
  __mmask16 in36;     // sector 3 or 6 (neither: sector 2 or 5)
};

// `packed` holds sixteen ReferenceVector records: vAlpha in the low half of
// each lane, vBeta in the high half.
SIRENTA_AVX512 inline PhaseLanes Phases(__m512i packed, const TimerLanes &k) {
  const __m512i zero = _mm512_setzero_si512();
  const __m512i vAlpha = _mm512_srai_epi32(_mm512_slli_epi32(packed, 16), 16);
  const __m512i vBeta = _mm512_srai_epi32(packed, 16);
  const __m512i wX = _mm512_mullo_epi32(vBeta, k.negT);
  const __m512i wUA = _mm512_mullo_epi32(vAlpha, k.ts3);
  const __m512i wY = Half(_mm512_add_epi32(wX, wUA));
  const __m512i wZ = Half(_mm512_sub_epi32(wX, wUA));

  PhaseLanes p;
  p.yNeg = Greater(zero, wY);
  p.zNeg = Greater(zero, wZ);
  p.xPos = Greater(wX, zero);
  // Sectors 2 and 5: wY and wZ of one sign. Of the others, 1 (wZ < 0, wX > 0)
  // and 4 (wZ >= 0, wX <= 0) have wX > 0 exactly when wZ < 0.
  const __mmask16 signsDiffer = p.yNeg ^ p.zNeg;
  const __mmask16 xAgainstZ = p.xPos ^ p.zNeg;
  p.in14 = signsDiffer & static_cast<__mmask16>(~xAgainstZ);
  p.in36 = signsDiffer & xAgainstZ;

  // As in SpaceVectorAvx2.h: tA = T/8 + D((T + first - second) / 2).
  const __m512i first = Select(p.in14, wX, wY);
  const __m512i second = Select(p.in36, wX, wZ);
  p.tA = _mm512_add_epi32(k.eighth,
                          DivPow2<18>(_mm512_sub_epi32(_mm512_add_epi32(k.t, first), second)));
  const __m512i dX = D(wX);
  const __m512i dY = D(wY);
  const __m512i dZ = D(wZ);
  p.tB = _mm512_add_epi32(p.tA, Select(p.in36, _mm512_sub_epi32(dX, dY), dZ));
  p.tC =
      _mm512_add_epi32(p.tA, Select(p.in14, _mm512_sub_epi32(dZ, dX), _mm512_sub_epi32(zero, dY)));
  return p;
}

} // namespace sirenta::avx512

#endif
