// The processor-specific code of the program, each piece with a portable
// path: sixteen bytes compared at once (SSE2) and a cache fetch hint. A
// build with TEXTPAIR_PORTABLE (the CMake option of that name) takes the
// portable path of both, on any processor.
#ifndef TEXTPAIR_COMMON_CPU_H_
#define TEXTPAIR_COMMON_CPU_H_

#include <cstdint>

#if defined(__SSE2__) && !defined(TEXTPAIR_PORTABLE)
#define TEXTPAIR_CPU_SSE2 1
#include <emmintrin.h>
#else
#define TEXTPAIR_CPU_SSE2 0
#endif

namespace textpair::cpu {

// Whether equal_bytes_16 is done by the processor in one step; without it,
// a byte-by-byte loop stands in and other ways of searching are faster.
inline constexpr bool kVectorBytes = TEXTPAIR_CPU_SSE2 != 0;

// The bytes among the sixteen at `p` that equal `c`, as bits: bit i for
// byte i. All sixteen bytes must be readable.
inline std::uint32_t equal_bytes_16(const char* p, char c) {
#if TEXTPAIR_CPU_SSE2
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
#else
  std::uint32_t bits = 0;
  for (int i = 0; i < 16; ++i) bits |= static_cast<std::uint32_t>(p[i] == c) << i;
  return bits;
#endif
}

// Asks the processor to fetch the bytes at `p` into its cache; a hint only.
// GCC drops a __builtin_prefetch that stands under a condition, so on x86
// the instruction is written out.
inline void fetch_soon(const void* p) {
#if !defined(TEXTPAIR_PORTABLE) && (defined(__GNUC__) || defined(__clang__)) && \
    (defined(__x86_64__) || defined(__i386__))
  asm volatile("prefetcht0 %0" : : "m"(*static_cast<const char*>(p)));
#elif defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p);
#else
  static_cast<void>(p);
#endif
}

}  // namespace textpair::cpu

#endif  // TEXTPAIR_COMMON_CPU_H_
