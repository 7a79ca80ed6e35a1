#include "dialogue/line_scanner.h"

#include <algorithm>

#include "dialogue/number_rules.h"

namespace dlg {

void LineScanner::Refill() {
  const std::size_t kept = tail_ - head_;
  const std::size_t base = kept > 0 ? base_ + (places_[head_] & ~kClosePlace) : scanned_;
  const std::size_t limit = std::min(size_, base + kSpan);
  const auto shift = static_cast<std::uint32_t>(base - base_);
  for (std::size_t i = 0; i < kept; ++i) places_[i] = places_[head_ + i] - shift;
  std::size_t count = kept, scanned = scanned_ - base;
  FindPlaces(data_ + base, limit - base, scanned, places_.data(), count, kBatch);
  // The last bytes of the text, fewer than a block; those before the span's end wait for the
  // next batch.
  if (count < kBatch && limit == size_ && base + scanned < size_) {
    FindPlacesInLastBytes(data_ + base, limit - base, scanned, places_.data(), count);
  }
  scanned_ = base + scanned;
  base_ = base;
  head_ = 0;
  tail_ = count;
}

void LineScanner::ReadOddLine(FileLine& line, Record& record) {
  std::size_t open = start_;  // where the next field's opener stands
  std::size_t closes[7];
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
      closes[count++] = place;
      open = place + 1;
    }
    ++head_;
  }
  line.fieldCount = record.fieldCount = static_cast<std::uint8_t>(count);
  line.textAfter = count == 7 && open < end;
  const std::size_t size = end - start_;
  line.start = record.start = data_ + start_;
  line.size = static_cast<std::uint32_t>(size);
  if (size < kLongLine && (size < kLongRecord || count == 0)) {
    for (int k = 0; k < count; ++k)
      record.close[k] = static_cast<std::uint16_t>(closes[k] - start_);
  } else {
    if (!longLines_) longLines_ = std::make_shared<std::deque<LongLine>>();
    LongLine& whole = longLines_->emplace_back();
    whole.text = {data_ + start_, size};
    for (int k = 0; k < count; ++k) {
      const std::size_t from = k == 0 ? start_ : closes[k - 1] + 1, to = closes[k];
      whole.fields.*kFieldOrder[k] = {data_ + from + 1, to - from - (to != from)};
    }
    record.start = reinterpret_cast<const char*>(&whole);
    record.longLine = true;
    if (size >= kLongLine) {
      line.start = record.start;
      line.size = kLongLine;
    }
  }
  CheckIntCheck(record);
  EndLine(line, end);
}

void LineScanner::CheckIntCheck(Record& record) {
  const std::string_view intCheck = record.Field(3);
  record.oddIntCheck = !intCheck.empty() && !IsWholeNumber(intCheck);
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
