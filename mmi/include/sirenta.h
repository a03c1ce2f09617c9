/* Sirenta: the largest modulation index at which the firmware can still
 * sample the phase currents, found by simulating its PWM timing.
 * Usable from C and C++. */
#ifndef SIRENTA_H
#define SIRENTA_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(SIRENTA_BUILD)
#define SIRENTA_API __declspec(dllexport)
#else
#define SIRENTA_API __declspec(dllimport)
#endif
#else
#define SIRENTA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Parameters and result of one search; the caller owns it. Natural
 * alignment: this layout is part of the interface. */
typedef struct SirentaParams {
  uint32_t pwmFrequency;      /* Hz */
  uint32_t deadTime;          /* ns */
  uint32_t samplingTime;      /* ns, A/D sampling time */
  uint32_t riseTime;          /* ns, current-signal rise time */
  uint32_t noiseTime;         /* ns, noise duration (three shunts only) */
  uint8_t startIndex;         /* percent, first index tried */
  double angleStep;           /* degrees */
  double angleSpan;           /* degrees, 0 up to (not including) this */
  uint8_t maxModulationIndex; /* percent, the result */
} SirentaParams;

/* Writes the single-shunt defaults into every field; returns 0, or 3 for a
 * null record. */
SIRENTA_API int SIRENTA_SetDefaut1sh(SirentaParams *params);

/* Runs the single-shunt search and writes maxModulationIndex. Returns 0 when
 * a limit was found and rounded as is, 1 when rounding clipped it to 77 or
 * 100, 2 when no limit was found (index 100), 3 for a null record, a zero
 * pwmFrequency (or 2^31, whose double wraps to zero) or an angleStep that
 * cannot move the angle forward (zero, negative, NaN): record left untouched. */
SIRENTA_API int SIRENTA_1shMMI(SirentaParams *params);

/* Writes the three-shunt defaults into every field; returns 0, or 3 for a
 * null record. */
SIRENTA_API int SIRENTA_SetDefaut3sh(SirentaParams *params);

/* Runs the three-shunt search; results as for SIRENTA_1shMMI. */
SIRENTA_API int SIRENTA_3shMMI(SirentaParams *params);

#ifdef __cplusplus
}
#endif

#if defined(__cplusplus)
#define SIRENTA_CHECK(cond, name) static_assert(cond, #name)
#else
/* C99 has no static assertion: a negative array size stops the build. */
#define SIRENTA_CHECK(cond, name) typedef char sirenta_check_##name[(cond) ? 1 : -1]
#endif
#define SIRENTA_OFFSET_CHECK(f, o) SIRENTA_CHECK(offsetof(SirentaParams, f) == (o), f)
SIRENTA_OFFSET_CHECK(pwmFrequency, 0);
SIRENTA_OFFSET_CHECK(deadTime, 4);
SIRENTA_OFFSET_CHECK(samplingTime, 8);
SIRENTA_OFFSET_CHECK(riseTime, 12);
SIRENTA_OFFSET_CHECK(noiseTime, 16);
SIRENTA_OFFSET_CHECK(startIndex, 20);
SIRENTA_OFFSET_CHECK(angleStep, 24);
SIRENTA_OFFSET_CHECK(angleSpan, 32);
SIRENTA_OFFSET_CHECK(maxModulationIndex, 40);
SIRENTA_CHECK(sizeof(SirentaParams) == 48, SirentaParams_size);
#undef SIRENTA_OFFSET_CHECK
#undef SIRENTA_CHECK

#endif
