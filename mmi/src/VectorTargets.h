// Whether this build compiles the vector scans, and the attributes that let
// one function use AVX2 or AVX-512 while the rest of the library keeps the
// baseline instruction set. They need GCC or Clang on x86. Windows is left
// out: GCC there cannot align 32- and 64-byte values spilled to the stack, so
// such code may fault; the portable path serves it.
#pragma once

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(_WIN32)
#define SIRENTA_HAS_VECTOR_SCANS 1
#define SIRENTA_AVX2 __attribute__((target("avx2")))
#define SIRENTA_AVX512 __attribute__((target("avx512f")))
#else
#define SIRENTA_HAS_VECTOR_SCANS 0
#endif
