#pragma once
// The lines of a dialogue file and the fields on each, read as the editor's reader reads them
// but without handing out one character at a time. The places of every "}", CR and LF are found
// 64 bytes at a time and written to a short list in order; a line is then read from the list, and
// a plain record (seven "}" and the line's end) from eight entries of it without a loop.
//
// Why the spans between "}" are the editor's fields: the byte after a "}" (or a line's first
// byte) opens the next field whatever it is, and the field runs through the next "}"; a "}" as
// opener closes an empty field. So field k is what lies between the k-th "}" and the one before,
// less the opener, and a line holds as many fields as "}" (at most seven). ReadRecordOnLine reads
// the same fields a character at a time, and the tests hold the two together.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "check/conversation.h"

namespace dlg::check {

class LineScanner {
 public:
  explicit LineScanner(std::string_view bytes) : data_(bytes.data()), size_(bytes.size()) {}

  // Reads the next line into `line` (its text, line end, field count and what follows the
  // seventh "}"; not its number) and its fields into `fields`, empty views (no data) for those
  // it does not close. False when no line is left.
  bool Next(FileLine& line, Fields& fields);

 private:
  // Room for a batch of places and the longest look ahead, past what one block can add.
  static constexpr std::size_t kBatch = 512;
  static constexpr std::size_t kAhead = 16;
  using Places = std::array<std::size_t, kBatch + 64 + kAhead>;

  // Keeps what is left of the list and adds the places of the next blocks, at least `kAhead`
  // unless the text ends first; past the last place the list reads the size of the text.
  void Refill();
  // The next place, without taking it; the size of the text when none is left.
  std::size_t Peek() {
    if (head_ == tail_ && scanned_ < size_) Refill();
    return places_[head_];
  }
  bool ReadPlainLine(FileLine& line, Fields& fields);
  void ReadOddLine(FileLine& line, Fields& fields);
  void EndLine(FileLine& line, std::size_t end);

  const char* data_;
  std::size_t size_;
  std::size_t start_ = 0;    // the next line's first byte
  std::size_t scanned_ = 0;  // the bytes whose places are in the list
  std::size_t head_ = 0;     // the next place in the list
  std::size_t tail_ = 0;     // past the last place in the list
  Places places_{};
};

}  // namespace dlg::check
