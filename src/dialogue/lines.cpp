#include "dialogue/lines.h"

#include <cstdint>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define DLG_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace dlg {

namespace {

std::size_t FindLineBreakPlain(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (text[i] == '\r' || text[i] == '\n') return i;
  }
  return size;
}

#if DLG_X86_KERNELS
// The 64 bytes of a step compared in two halves; what is left after the last whole step, byte by
// byte.
[[gnu::target("avx2")]] inline std::uint64_t BreaksIn32Avx2(const char* p) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_or_si256(
      _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\r')), _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\n')))));
}

[[gnu::target("avx2,bmi")]] std::size_t FindLineBreakAvx2(const char* text, std::size_t size) {
  std::size_t i = 0;
  for (; i + 64 <= size; i += 64) {
    const std::uint64_t bits = BreaksIn32Avx2(text + i) | BreaksIn32Avx2(text + i + 32) << 32;
    if (bits != 0) return i + static_cast<std::size_t>(__builtin_ctzll(bits));
  }
  return i + FindLineBreakPlain(text + i, size - i);
}

// The last bytes too are compared at once, through a mask of the loads.
[[gnu::target("avx512f,avx512bw,bmi")]] std::size_t FindLineBreakAvx512(const char* text,
                                                                        std::size_t size) {
  const __m512i cr = _mm512_set1_epi8('\r'), lf = _mm512_set1_epi8('\n');
  for (std::size_t i = 0; i < size; i += 64) {
    const std::size_t left = size - i;
    const __mmask64 load = left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
    const __m512i v = _mm512_maskz_loadu_epi8(load, text + i);
    const std::uint64_t bits =
        (_mm512_cmpeq_epi8_mask(v, cr) | _mm512_cmpeq_epi8_mask(v, lf)) & load;
    if (bits != 0) return i + static_cast<std::size_t>(__builtin_ctzll(bits));
  }
  return size;
}
#endif

std::vector<FindLineBreakFn> Supported() {
  std::vector<FindLineBreakFn> kernels;
#if DLG_X86_KERNELS
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512bw")) kernels.push_back(FindLineBreakAvx512);
  if (__builtin_cpu_supports("avx2")) kernels.push_back(FindLineBreakAvx2);
#endif
  kernels.push_back(FindLineBreakPlain);
  return kernels;
}

}  // namespace

const std::vector<FindLineBreakFn>& LineBreakKernels() {
  static const std::vector<FindLineBreakFn> kernels = Supported();
  return kernels;
}

std::size_t FindLineBreak(const char* text, std::size_t size) {
  static const FindLineBreakFn kernel = LineBreakKernels().front();
  return kernel(text, size);
}

}  // namespace dlg
