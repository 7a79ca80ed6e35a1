#include "dialogue/line_scanner.h"

#include <cstring>

#include "dialogue/byte_places.h"

namespace dlg {

namespace {

constexpr std::string_view Fields::*kFieldOrder[] = {
    &Fields::lineNumber,     &Fields::maleText, &Fields::femaleText,    &Fields::intCheck,
    &Fields::conditionFlags, &Fields::jumpLine, &Fields::executionFlags};

}  // namespace

void LineScanner::Refill() {
  std::size_t count = tail_ - head_;
  std::memmove(places_.data(), places_.data() + head_, count * sizeof(std::size_t));
  FindPlaces(data_, size_, scanned_, places_.data(), count, kBatch);
  if (count < kBatch && scanned_ < size_) {
    FindPlacesInLastBytes(data_, size_, scanned_, places_.data(), count);
  }
  for (std::size_t i = 0; i < kAhead; ++i) places_[count + i] = size_;
  head_ = 0;
  tail_ = count;
}

void LineScanner::ReadOddLine(FileLine& line, Fields& fields) {
  std::size_t open = start_;  // where the next field's opener stands
  int count = 0;
  std::size_t end;
  for (;;) {
    const std::size_t place = Peek();
    if (place >= size_ || data_[place] != '}') {
      end = place;
      break;
    }
    // "}" past the seventh are text after the record.
    if (count < 7) {
      fields.*kFieldOrder[count++] = FieldBetween(data_, open, place);
      open = place + 1;
    }
    ++head_;
  }
  for (int k = count; k < 7; ++k) fields.*kFieldOrder[k] = {};
  line.text = {data_ + start_, end - start_};
  line.fieldCount = count;
  line.textAfter = count == 7 && open < end;
  EndLine(line, end);
}

void LineScanner::EndLine(FileLine& line, std::size_t end) {
  if (end >= size_) {
    line.end = LineEnd::None;
    start_ = size_;
    return;
  }
  ++head_;  // the CR or LF
  if (data_[end] == '\n') {
    line.end = LineEnd::Lf;
    start_ = end + 1;
  } else if (end + 1 < size_ && data_[end + 1] == '\n') {
    line.end = LineEnd::CrLf;
    Peek();  // the LF, which may be in the next batch
    ++head_;
    start_ = end + 2;
  } else {
    line.end = LineEnd::Cr;
    start_ = end + 1;
  }
}

}  // namespace dlg
