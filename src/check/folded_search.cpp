#include "check/folded_search.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define DLG_X86_KERNELS 1
#include <immintrin.h>
#endif

namespace dlg::check {

const std::array<unsigned char, 256> kFoldCase = [] {
  std::array<unsigned char, 256> fold{};
  for (int b = 0; b < 256; ++b) fold[b] = static_cast<unsigned char>(b);
  for (int b = 'A'; b <= 'Z'; ++b) fold[b] = static_cast<unsigned char>(b + 32);
  // Latin-1 capitals, but the multiplication sign.
  for (int b = 0xC0; b <= 0xDE; ++b)
    if (b != 0xD7) fold[b] = static_cast<unsigned char>(b + 32);
  fold[0x8A] = 0x9A;  // S caron
  fold[0x8C] = 0x9C;  // OE
  fold[0x8E] = 0x9E;  // Z caron
  fold[0x9F] = 0xFF;  // Y diaeresis
  return fold;
}();

namespace {

constexpr std::size_t kNone = std::string_view::npos;

using Ends = FoldedEnds;

bool IsCandidate(const unsigned char* text, std::size_t at, const Ends& e) {
  const unsigned char a = text[at], b = text[at + e.lastAt];
  return (a == e.first0 || a == e.first1) && (b == e.last0 || b == e.last1);
}

std::size_t CandidatePlain(const unsigned char* text, std::size_t size, std::size_t from,
                           const Ends& e) {
  std::size_t at = from;
#if defined(__SSE2__)
  const __m128i f0 = _mm_set1_epi8(static_cast<char>(e.first0));
  const __m128i f1 = _mm_set1_epi8(static_cast<char>(e.first1));
  const __m128i l0 = _mm_set1_epi8(static_cast<char>(e.last0));
  const __m128i l1 = _mm_set1_epi8(static_cast<char>(e.last1));
  for (; at + e.lastAt + 16 <= size; at += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at + e.lastAt));
    const __m128i hit = _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(a, f0), _mm_cmpeq_epi8(a, f1)),
                                      _mm_or_si128(_mm_cmpeq_epi8(b, l0), _mm_cmpeq_epi8(b, l1)));
    const unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (bits != 0) return at + static_cast<std::size_t>(__builtin_ctz(bits));
  }
#endif
  for (; at + e.lastAt < size; ++at) {
    if (IsCandidate(text, at, e)) return at;
  }
  return kNone;
}

#if DLG_X86_KERNELS
[[gnu::target("avx2,bmi")]] std::size_t CandidateAvx2(const unsigned char* text, std::size_t size,
                                                      std::size_t from, const Ends& e) {
  const __m256i f0 = _mm256_set1_epi8(static_cast<char>(e.first0));
  const __m256i f1 = _mm256_set1_epi8(static_cast<char>(e.first1));
  const __m256i l0 = _mm256_set1_epi8(static_cast<char>(e.last0));
  const __m256i l1 = _mm256_set1_epi8(static_cast<char>(e.last1));
  std::size_t at = from;
  for (; at + e.lastAt + 32 <= size; at += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at + e.lastAt));
    const __m256i hit =
        _mm256_and_si256(_mm256_or_si256(_mm256_cmpeq_epi8(a, f0), _mm256_cmpeq_epi8(a, f1)),
                         _mm256_or_si256(_mm256_cmpeq_epi8(b, l0), _mm256_cmpeq_epi8(b, l1)));
    const unsigned bits = static_cast<unsigned>(_mm256_movemask_epi8(hit));
    if (bits != 0) return at + static_cast<std::size_t>(__builtin_ctz(bits));
  }
  return CandidatePlain(text, size, at, e);
}
// The same 64 bytes at a time into mask registers: a find over every record of a conversation
// is one pass over the file, which this makes a little quicker where the processor has the
// instructions (views_bench, BM_FindShown/1).
[[gnu::target("avx512f,avx512bw,bmi")]] std::size_t CandidateAvx512(const unsigned char* text,
                                                                    std::size_t size,
                                                                    std::size_t from,
                                                                    const Ends& e) {
  const __m512i f0 = _mm512_set1_epi8(static_cast<char>(e.first0));
  const __m512i f1 = _mm512_set1_epi8(static_cast<char>(e.first1));
  const __m512i l0 = _mm512_set1_epi8(static_cast<char>(e.last0));
  const __m512i l1 = _mm512_set1_epi8(static_cast<char>(e.last1));
  std::size_t at = from;
  for (; at + e.lastAt + 64 <= size; at += 64) {
    const __m512i a = _mm512_loadu_si512(text + at);
    const __m512i b = _mm512_loadu_si512(text + at + e.lastAt);
    const std::uint64_t hit = (_mm512_cmpeq_epi8_mask(a, f0) | _mm512_cmpeq_epi8_mask(a, f1)) &
                              (_mm512_cmpeq_epi8_mask(b, l0) | _mm512_cmpeq_epi8_mask(b, l1));
    if (hit != 0) return at + static_cast<std::size_t>(__builtin_ctzll(hit));
  }
  return CandidateAvx2(text, size, at, e);
}
#endif

using Kernel = std::size_t (*)(const unsigned char*, std::size_t, std::size_t, const Ends&);

struct Named {
  const char* name;
  Kernel kernel;
};

const std::vector<Named>& Supported() {
  static const std::vector<Named> kernels = [] {
    std::vector<Named> k;
#if DLG_X86_KERNELS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw")) k.push_back({"avx512bw", CandidateAvx512});
    if (__builtin_cpu_supports("avx2")) k.push_back({"avx2", CandidateAvx2});
#endif
    k.push_back({"plain", CandidatePlain});
    return k;
  }();
  return kernels;
}

// Up to two bytes that fold to `folded`, the one repeated when there is only one.
void FoldingTo(unsigned char folded, unsigned char (&out)[2]) {
  int n = 0;
  for (int b = 0; b < 256 && n < 2; ++b)
    if (kFoldCase[b] == folded) out[n++] = static_cast<unsigned char>(b);
  if (n == 1) out[1] = out[0];
}

}  // namespace

const std::vector<const char*>& FoldedSearch::Kernels() {
  static const std::vector<const char*> names = [] {
    std::vector<const char*> n;
    for (const Named& k : Supported()) n.push_back(k.name);
    return n;
  }();
  return names;
}

FoldedSearch::FoldedSearch(std::string_view needle, std::size_t kernel)
    : candidate_(Supported()[kernel].kernel), folded_(needle) {
  for (char& ch : folded_) ch = static_cast<char>(kFoldCase[static_cast<unsigned char>(ch)]);
  unsigned char first[2], last[2];
  FoldingTo(static_cast<unsigned char>(folded_.front()), first);
  FoldingTo(static_cast<unsigned char>(folded_.back()), last);
  ends_ = {first[0], first[1], last[0], last[1], folded_.size() - 1};
  for (std::size_t i = 0; i < folded_.size() && i < either0_.size(); ++i) {
    unsigned char both[2];
    FoldingTo(static_cast<unsigned char>(folded_[i]), both);
    either0_[i] = both[0];
    either1_[i] = both[1];
  }
}

std::size_t FoldedSearch::Candidate(std::string_view text, std::size_t from) const {
  return candidate_(reinterpret_cast<const unsigned char*>(text.data()), text.size(), from, ends_);
}

inline bool FoldedSearch::MatchesAt(std::string_view text, std::size_t at) const {
  const auto* t = reinterpret_cast<const unsigned char*>(text.data()) + at;
#if defined(__SSE2__)
  // Sixteen bytes read where the text has them, whatever the needle's size.
  if (folded_.size() <= 16 && text.size() - at >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t));
    const __m128i same = _mm_or_si128(
        _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(either0_.data()))),
        _mm_cmpeq_epi8(v, _mm_loadu_si128(reinterpret_cast<const __m128i*>(either1_.data()))));
    const unsigned wanted = (1u << folded_.size()) - 1;
    return (static_cast<unsigned>(_mm_movemask_epi8(same)) & wanted) == wanted;
  }
#endif
  for (std::size_t i = 0; i < folded_.size(); ++i) {
    if (kFoldCase[t[i]] != static_cast<unsigned char>(folded_[i])) return false;
  }
  return true;
}

std::size_t FoldedSearch::Next(std::string_view text, std::size_t from) const {
  for (std::size_t at = from;; ++at) {
    at = Candidate(text, at);
    if (at == kNone || MatchesAt(text, at)) return at;
  }
}

}  // namespace dlg::check
