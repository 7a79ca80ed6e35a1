#include "check/line_scanner.h"

#include <cstring>

#include "check/byte_places.h"

namespace dlg::check {

namespace {

constexpr std::string_view Fields::*kFieldOrder[] = {
    &Fields::lineNumber,     &Fields::maleText, &Fields::femaleText,    &Fields::intCheck,
    &Fields::conditionFlags, &Fields::jumpLine, &Fields::executionFlags};

// The field whose opener stands at `open` and whose "}" at `close`: empty when the opener is
// that "}" itself.
std::string_view FieldBetween(const char* data, std::size_t open, std::size_t close) {
  return {data + open + 1, close - open - (close != open)};
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

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

bool LineScanner::Next(FileLine& line, Fields& fields) {
  if (start_ >= size_) return false;
  if (!ReadPlainLine(line, fields)) ReadOddLine(line, fields);
  return true;
}

bool LineScanner::ReadPlainLine(FileLine& line, Fields& fields) {
  if (tail_ - head_ < 9 && scanned_ < size_) Refill();
  const std::size_t* p = places_.data() + head_;
  const std::size_t end = p[7];
  const char* d = data_;
  if (end >= size_ || !IsLineEnd(d[end])) return false;
  // The seven places before the line's end are all "}": counted, not tested one by one.
  const int closes = (d[p[0]] == '}') + (d[p[1]] == '}') + (d[p[2]] == '}') + (d[p[3]] == '}') +
                     (d[p[4]] == '}') + (d[p[5]] == '}') + (d[p[6]] == '}');
  if (closes != 7) return false;
  fields.lineNumber = FieldBetween(d, start_, p[0]);
  fields.maleText = FieldBetween(d, p[0] + 1, p[1]);
  fields.femaleText = FieldBetween(d, p[1] + 1, p[2]);
  fields.intCheck = FieldBetween(d, p[2] + 1, p[3]);
  fields.conditionFlags = FieldBetween(d, p[3] + 1, p[4]);
  fields.jumpLine = FieldBetween(d, p[4] + 1, p[5]);
  fields.executionFlags = FieldBetween(d, p[5] + 1, p[6]);
  line.text = {d + start_, end - start_};
  line.fieldCount = 7;
  line.textAfter = p[6] + 1 < end;
  head_ += 7;
  EndLine(line, end);
  return true;
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

}  // namespace dlg::check
