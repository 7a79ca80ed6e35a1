#include "dialogue/byte_places.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define DLG_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace dlg {

namespace {

// Eight places are written whatever the block holds, and most hold fewer: no branch a place.
// Those past `count` are overwritten by the next block. Inlined into each kernel, so that the
// bit scans are those of the kernel's instruction set. `close`: the bits of the "}" among `bits`.
[[gnu::always_inline]] inline std::size_t Flatten(std::uint64_t bits, std::uint64_t close,
                                                  int count, std::size_t from, std::uint32_t* out) {
  const auto base = static_cast<std::uint32_t>(from);
  // Bit 63 set keeps the scan of an empty rest defined; its place is past `count` anyway.
  constexpr std::uint64_t kStop = std::uint64_t{1} << 63;
  const auto next = [&] {
    const auto at = static_cast<unsigned>(__builtin_ctzll(bits | kStop));
    bits &= bits - 1;
    return (base + at) | static_cast<std::uint32_t>((close >> at) & 1) << 31;
  };
  out[0] = next();
  out[1] = next();
  out[2] = next();
  out[3] = next();
  out[4] = next();
  out[5] = next();
  out[6] = next();
  out[7] = next();
  for (int i = 8; i < count; ++i) out[i] = next();
  return static_cast<std::size_t>(count);
}

// The number of bits set, without the library call that a processor without an instruction for
// it would get.
int CountBits(std::uint64_t bits) {
  bits = bits - ((bits >> 1) & 0x5555555555555555);
  bits = (bits & 0x3333333333333333) + ((bits >> 2) & 0x3333333333333333);
  bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0F;
  return static_cast<int>((bits * 0x0101010101010101) >> 56);
}

// Bit i set when p[i] is "}", CR or LF, and in `close` when it is "}": the instructions every
// processor of the platform has.
std::uint64_t PlacesIn64(const char* p, std::uint64_t& close) {
#if defined(__SSE2__)
  const __m128i brace = _mm_set1_epi8('}'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  std::uint64_t all = 0, closes = 0;
  for (int at = 0; at < 64; at += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    const __m128i isClose = _mm_cmpeq_epi8(v, brace);
    const __m128i hit =
        _mm_or_si128(_mm_or_si128(isClose, _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, lf));
    all |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(hit))} << at;
    closes |= std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(isClose))} << at;
  }
  close = closes;
  return all;
#else
  std::uint64_t bits = 0;
  close = 0;
  for (int i = 0; i < 64; ++i) {
    bits |= static_cast<std::uint64_t>(p[i] == '}' || p[i] == '\r' || p[i] == '\n') << i;
    close |= static_cast<std::uint64_t>(p[i] == '}') << i;
  }
  return bits;
#endif
}

// The kernels keep `scanned` and `count` in locals: the places written could be either of them,
// as far as the compiler knows.
void FindPlacesPlain(const char* text, std::size_t size, std::size_t& scannedOut,
                     std::uint32_t* places, std::size_t& countOut, std::size_t enough) {
  std::size_t scanned = scannedOut, count = countOut;
  while (count < enough && size - scanned >= 64) {
    std::uint64_t close;
    const std::uint64_t bits = PlacesIn64(text + scanned, close);
    count += Flatten(bits, close, CountBits(bits), scanned, places + count);
    scanned += 64;
  }
  scannedOut = scanned;
  countOut = count;
}

#if DLG_X86_KERNELS
[[gnu::target("avx2")]] inline std::uint64_t PlacesIn32Avx2(const char* p, std::uint64_t& close) {
  const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  const __m256i isClose = _mm256_cmpeq_epi8(v, _mm256_set1_epi8('}'));
  const __m256i hit =
      _mm256_or_si256(_mm256_or_si256(isClose, _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\r'))),
                      _mm256_cmpeq_epi8(v, _mm256_set1_epi8('\n')));
  close = static_cast<std::uint32_t>(_mm256_movemask_epi8(isClose));
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
}

[[gnu::target("avx2,bmi,popcnt")]] void FindPlacesAvx2(const char* text, std::size_t size,
                                                       std::size_t& scannedOut,
                                                       std::uint32_t* places, std::size_t& countOut,
                                                       std::size_t enough) {
  std::size_t scanned = scannedOut, count = countOut;
  while (count < enough && size - scanned >= 64) {
    std::uint64_t low, high;
    const std::uint64_t bits =
        PlacesIn32Avx2(text + scanned, low) | PlacesIn32Avx2(text + scanned + 32, high) << 32;
    count += Flatten(bits, low | high << 32, __builtin_popcountll(bits), scanned, places + count);
    scanned += 64;
  }
  scannedOut = scanned;
  countOut = count;
}

[[gnu::target("avx512f,avx512bw,bmi,popcnt")]] void FindPlacesAvx512(
    const char* text, std::size_t size, std::size_t& scannedOut, std::uint32_t* places,
    std::size_t& countOut, std::size_t enough) {
  std::size_t scanned = scannedOut, count = countOut;
  const __m512i close = _mm512_set1_epi8('}'), cr = _mm512_set1_epi8('\r'),
                lf = _mm512_set1_epi8('\n');
  while (count < enough && size - scanned >= 64) {
    const __m512i v = _mm512_loadu_si512(text + scanned);
    const std::uint64_t closes = _mm512_cmpeq_epi8_mask(v, close);
    const std::uint64_t bits =
        closes | _mm512_cmpeq_epi8_mask(v, cr) | _mm512_cmpeq_epi8_mask(v, lf);
    count += Flatten(bits, closes, __builtin_popcountll(bits), scanned, places + count);
    scanned += 64;
  }
  scannedOut = scanned;
  countOut = count;
}

// Where the processor can compress bytes by a mask, the places of a block are the byte offsets
// 0..63 that its mask keeps (with the top bit set for a "}", which widening with the sign carries
// to kClosePlace), widened sixteen at a time: a few instructions a block, not a few a place. The
// list of places is the larger part of reading a conversation (views_bench, BM_ReadConversation),
// and this halves its cost on the processors that have it.
[[gnu::target("avx512f,avx512bw,avx512vbmi2,popcnt")]] void FindPlacesCompress(
    const char* text, std::size_t size, std::size_t& scannedOut, std::uint32_t* places,
    std::size_t& countOut, std::size_t enough) {
  std::size_t scanned = scannedOut, count = countOut;
  const __m512i close = _mm512_set1_epi8('}'), cr = _mm512_set1_epi8('\r'),
                lf = _mm512_set1_epi8('\n');
  const __m512i offsets = _mm512_set_epi8(
      63, 62, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 43, 42, 41,
      40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 20, 19, 18,
      17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
  const __m512i closeOffsets = _mm512_or_si512(offsets, _mm512_set1_epi8(-128));
  const __m512i keep = _mm512_set1_epi32(static_cast<int>(kClosePlace | 63));
  while (count < enough && size - scanned >= 64) {
    const __m512i v = _mm512_loadu_si512(text + scanned);
    const __mmask64 closes = _mm512_cmpeq_epi8_mask(v, close);
    const __mmask64 hits = closes | _mm512_cmpeq_epi8_mask(v, cr) | _mm512_cmpeq_epi8_mask(v, lf);
    const int n = static_cast<int>(__builtin_popcountll(hits));
    const __m512i kept =
        _mm512_maskz_compress_epi8(hits, _mm512_mask_blend_epi8(closes, offsets, closeOffsets));
    const __m512i base = _mm512_set1_epi32(static_cast<int>(scanned));
    // Sixteen places written whatever the block holds, as in Flatten; more only when it has
    // more. The next sixteen offsets are shifted down in the register rather than stored and
    // read back. (The masked forms, all lanes kept: g++ 12 takes the plain ones' undefined start
    // for an uninitialized value.)
    __m512i rest = kept;
    std::uint32_t* out = places + count;
    for (int i = 0;; i += 16) {
      const __m512i wide =
          _mm512_maskz_cvtepi8_epi32(0xFFFF, _mm512_maskz_extracti32x4_epi32(0xF, rest, 0));
      _mm512_storeu_si512(out + i, _mm512_add_epi32(base, _mm512_and_si512(wide, keep)));
      if (i + 16 >= n) break;
      rest = _mm512_maskz_alignr_epi32(0xFFFF, _mm512_setzero_si512(), rest, 4);
    }
    count += static_cast<std::size_t>(n);
    scanned += 64;
  }
  scannedOut = scanned;
  countOut = count;
}
#endif

std::vector<PlacesKernel> Supported() {
  std::vector<PlacesKernel> kernels;
#if DLG_X86_KERNELS
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("avx512bw")) {
    kernels.push_back({"avx512vbmi2", FindPlacesCompress});
  }
  if (__builtin_cpu_supports("avx512bw")) kernels.push_back({"avx512bw", FindPlacesAvx512});
  if (__builtin_cpu_supports("avx2")) kernels.push_back({"avx2", FindPlacesAvx2});
#endif
  kernels.push_back({"plain", FindPlacesPlain});
  return kernels;
}

}  // namespace

const std::vector<PlacesKernel>& PlacesKernels() {
  static const std::vector<PlacesKernel> kernels = Supported();
  return kernels;
}

void FindPlaces(const char* text, std::size_t size, std::size_t& scanned, std::uint32_t* places,
                std::size_t& count, std::size_t enough) {
  static const FindPlacesFn kernel = PlacesKernels().front().find;
  kernel(text, size, scanned, places, count, enough);
}

void FindPlacesInLastBytes(const char* text, std::size_t size, std::size_t& scanned,
                           std::uint32_t* places, std::size_t& count) {
  const std::size_t left = size - scanned;
  if (left == 0) return;
  char last[64] = {};  // no byte of the three
  std::memcpy(last, text + scanned, left);
  std::uint64_t close;
  const std::uint64_t bits = PlacesIn64(last, close) & ((std::uint64_t{1} << left) - 1);
  count += Flatten(bits, close, CountBits(bits), scanned, places + count);
  scanned = size;
}

}  // namespace dlg
