// The lookup's scan over any bytes and any target, against the scan read a character at a time
// as the lookup is written down: the number so far compared with the target before each
// character, the rest of a record skipped with SkipToNextRecord. Input: a control byte (bit 0:
// Respond's end tests), the target up to a NUL, then the working copy.

#include <cstring>

#include "dialogue/find_record.h"
#include "fuzz_check.h"
#include "reference_readers.h"

namespace {

using namespace dlg;

void SkipBlankLines(CharSource& src, Char& currentChar) {
  while (currentChar == kCR && !src.AtEnd()) {
    currentChar = src.Read();
    if (src.AtEnd()) return;
    currentChar = src.Read();
  }
}

FindOutcome Model(const std::string& bytes, const std::string& target, bool respond) {
  CharSource src(std::string_view{bytes});
  auto stop = [&](Miss miss) { return FindOutcome{miss, src.Position()}; };
  Char currentChar = src.Read();
  SkipBlankLines(src, currentChar);
  if (src.AtEnd()) return stop(Miss::EndAfterOpener);
  std::string lookupNumber;
  while (lookupNumber != target) {
    if (!respond && src.AtEnd()) return stop(Miss::EndInNumber);
    currentChar = src.Read();
    if (src.AtEnd()) return stop(Miss::EndInNumber);
    if (currentChar == kClose) {
      SkipToNextRecord(src, currentChar);
      SkipBlankLines(src, currentChar);
      lookupNumber.clear();
    } else {
      AppendChar(lookupNumber, currentChar);
    }
    if (respond && src.AtEnd()) return stop(Miss::EndAfterRecord);
  }
  currentChar = src.Read();
  return stop(currentChar == kClose ? Miss::None : Miss::LongerNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const bool respond = (data[0] & 1) != 0;
  const char* rest = reinterpret_cast<const char*>(data + 1);
  const void* nul = std::memchr(rest, 0, size - 1);
  if (nul == nullptr) return 0;
  const std::string target(rest, static_cast<const char*>(nul));
  if (target.empty()) return 0;  // the lookup answers an empty target before any scan
  const std::string bytes(static_cast<const char*>(nul) + 1, rest + size - 1);

  const FindOutcome fast = FindRecord(bytes, target, respond);
  const FindOutcome model = Model(bytes, target, respond);
  FUZZ_CHECK(fast.miss == model.miss);
  // Where the line is shown from; a miss is only a message.
  if (model.miss == Miss::None) FUZZ_CHECK(fast.position == model.position);
  FUZZ_CHECK(fast.position <= bytes.size());
  return 0;
}
