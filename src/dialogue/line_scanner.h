#pragma once
// The lines of a dialogue file and the fields on each, read as the editor's reader reads them
// but without handing out one character at a time. The places of every "}", CR and LF are found
// 64 bytes at a time and written to a short list in order, each "}" tagged; a line is then read
// from the list, and a plain record (seven "}" and the line's end) from eight entries of it, told
// by their tags and taken four at a time.
//
// Why the spans between "}" are the editor's fields: the byte after a "}" (or a line's first
// byte) opens the next field whatever it is, and the field runs through the next "}"; a "}" as
// opener closes an empty field. So field k is what lies between the k-th "}" and the one before,
// less the opener, and a line holds as many fields as "}" (at most seven). ReadRecordOnLine reads
// the same fields a character at a time, and the fuzz target holds the two together.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dialogue/byte_places.h"
#include "dialogue/conversation.h"
#include "dialogue/number_rules.h"

namespace dlg {

class LineScanner {
 public:
  explicit LineScanner(std::string_view bytes) : data_(bytes.data()), size_(bytes.size()) {}

  // Reads the next line into `line` (its text, line end, field count and what follows the
  // seventh "}"; not its number) and where its fields stand into `record` (its start, its "}"
  // and their count). False when no line is left.
  bool Next(FileLine& line, Record& record);

  // The lines too long for 32-bit sizes read so far, or none.
  std::shared_ptr<const std::deque<LongLine>> LongLines() const { return longLines_; }

 private:
  // Room for a batch of places, past what one block can add, and for the nine that Next reads
  // before it knows they are there.
  static constexpr std::size_t kBatch = 512;
  using Places = std::array<std::uint32_t, kBatch + 64 + 9>;
  // How far past the first of them the places of a batch may reach: what they count from moves
  // on at each batch, so that every place fits in 32 bits whatever the size of the text.
  static constexpr std::size_t kSpan = std::size_t{1} << 30;

  // Keeps what is left of the list, counted from its first place now, and adds the places of the
  // next blocks, up to a batch, unless the text or the span ends first.
  void Refill();
  // The next place, without taking it; the size of the text when none is left.
  std::size_t Peek() {
    while (head_ == tail_) {
      if (scanned_ >= size_) return size_;
      Refill();
    }
    return base_ + (places_[head_] & ~kClosePlace);
  }
  void ReadOddLine(FileLine& line, Record& record);
  // Sets the record's `oddIntCheck`, its fields in place.
  static void CheckIntCheck(Record& record);
  void EndLine(FileLine& line, std::size_t end);

  const char* data_;
  std::size_t size_;
  std::size_t start_ = 0;    // the next line's first byte
  std::size_t scanned_ = 0;  // the bytes whose places are in the list
  std::size_t base_ = 0;     // where the places in the list count from
  std::size_t head_ = 0;     // the next place in the list
  std::size_t tail_ = 0;     // past the last place in the list
  Places places_{};
  std::shared_ptr<std::deque<LongLine>> longLines_;
};

// The plain record is read here, where the caller's loop can keep what it needs in registers;
// anything else by ReadOddLine.
inline bool LineScanner::Next(FileLine& line, Record& record) {
  if (start_ >= size_) return false;
  if (tail_ - head_ < 9 && scanned_ < size_) Refill();
  const std::uint32_t* p = places_.data() + head_;
  const std::size_t start = start_;
  // From the line's start, modulo 2^32: the line is shorter than that, whichever of the line and
  // the places starts first.
  const auto from = static_cast<std::uint32_t>(base_ - start);
  // Seven "}" and then the line's end, all of them (and the place after, for a CR LF) in the
  // list: the first seven places tagged, the eighth not.
#if defined(__SSE2__)
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4));
  const int tags = _mm_movemask_ps(_mm_castsi128_ps(low)) | _mm_movemask_ps(_mm_castsi128_ps(high))
                                                                << 4;
#else
  int tags = 0;
  for (int k = 0; k < 8; ++k) tags |= static_cast<int>(p[k] >> 31) << k;
#endif
  const std::uint32_t end = p[7];
  if (tail_ - head_ < 9 || tags != 0x7F || base_ + end - start >= kLongRecord) {
    ReadOddLine(line, record);
    return true;
  }
  // Each place less 2^15 fits a signed 16-bit lane, which SSE2 packs to without saturating.
#if defined(__SSE2__)
  const __m128i keep = _mm_set1_epi32(static_cast<int>(~kClosePlace));
  const __m128i shift = _mm_set1_epi32(static_cast<int>(from - 0x8000));
  const __m128i first = _mm_add_epi32(_mm_and_si128(low, keep), shift);
  const __m128i last = _mm_add_epi32(_mm_and_si128(high, keep), shift);
  const __m128i closes = _mm_xor_si128(_mm_packs_epi32(first, last), _mm_set1_epi16(-0x8000));
  // The eighth lane, the line's end, makes way for the two bytes after `close`: a field count of
  // 7 and `npc`, which is the caller's to set.
  static_assert(offsetof(Record, fieldCount) == offsetof(Record, close) + 14 &&
                offsetof(Record, npc) == offsetof(Record, close) + 15);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(record.close), _mm_insert_epi16(closes, 7, 7));
#else
  for (int k = 0; k < 7; ++k)
    record.close[k] = static_cast<std::uint16_t>((p[k] & ~kClosePlace) + from);
  record.fieldCount = 7;
#endif
  record.start = line.start = data_ + start;
  // Field 3 holds a byte past its opener: an intelligence check, whose bytes are read only then.
  if (const std::uint32_t length = p[3] - p[2] - 2; length - 1 < 0xFFFF) [[unlikely]]
    record.oddIntCheck =
        !IsWholeNumber({data_ + base_ + (p[2] & ~kClosePlace) + 2, std::size_t{length}});
  line.fieldCount = 7;
  line.size = end + from;
  line.textAfter = (p[6] & ~kClosePlace) + from + 1 < line.size;
  // The LF of a CR LF is a place too: the next one, when it stands right after the CR.
  const char* d = data_ + base_;  // where the places count from
  if (d[end] == '\n') {
    line.end = LineEnd::Lf;
    head_ += 8;
    start_ = base_ + end + 1;
  } else if (p[8] == end + 1 && d[end + 1] == '\n') {
    line.end = LineEnd::CrLf;
    head_ += 9;
    start_ = base_ + end + 2;
  } else {
    line.end = LineEnd::Cr;
    head_ += 8;
    start_ = base_ + end + 1;
  }
  return true;
}

}  // namespace dlg
