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

#include "dialogue/conversation.h"

namespace dlg {

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
  // The field whose opener stands at `open` and whose "}" at `close`: empty when the opener is
  // that "}" itself.
  static std::string_view FieldBetween(const char* data, std::size_t open, std::size_t close) {
    return {data + open + 1, close - open - (close != open)};
  }
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

// The plain record is read here, where the caller's loop can keep what it needs in registers;
// anything else by ReadOddLine.
inline bool LineScanner::Next(FileLine& line, Fields& fields) {
  if (start_ >= size_) return false;
  if (tail_ - head_ < 9 && scanned_ < size_) Refill();
  const std::size_t* p = places_.data() + head_;
  const char* d = data_;
  const std::size_t start = start_, end = p[7];
  // Seven "}" and then the line's end. The tests of the seven are added, not taken one by one.
  if (end >= size_ || (d[end] != '\r' && d[end] != '\n') ||
      (d[p[0]] == '}') + (d[p[1]] == '}') + (d[p[2]] == '}') + (d[p[3]] == '}') + (d[p[4]] == '}') +
              (d[p[5]] == '}') + (d[p[6]] == '}') !=
          7) {
    ReadOddLine(line, fields);
    return true;
  }
  const auto between = [d](std::size_t open, std::size_t close) {
    return FieldBetween(d, open, close);
  };
  fields.lineNumber = between(start, p[0]);
  fields.maleText = between(p[0] + 1, p[1]);
  fields.femaleText = between(p[1] + 1, p[2]);
  fields.intCheck = between(p[2] + 1, p[3]);
  fields.conditionFlags = between(p[3] + 1, p[4]);
  fields.jumpLine = between(p[4] + 1, p[5]);
  fields.executionFlags = between(p[5] + 1, p[6]);
  line.text = {d + start, end - start};
  line.fieldCount = 7;
  line.textAfter = p[6] + 1 < end;
  // The LF of a CR LF is a place too: the next one, when it stands right after the CR.
  if (d[end] == '\n') {
    line.end = LineEnd::Lf;
    head_ += 8;
    start_ = end + 1;
  } else if (p[8] == end + 1 && end + 1 < size_ && d[end + 1] == '\n') {
    line.end = LineEnd::CrLf;
    head_ += 9;
    start_ = end + 2;
  } else {
    line.end = LineEnd::Cr;
    head_ += 8;
    start_ = end + 1;
  }
  return true;
}

}  // namespace dlg
