// Read a character at a time, the lookup compares the number read so far with the target
// before each character, and skips the rest of a record once its "}" has been read. The number
// read so far can only equal the target once exactly its length has been read, so here each
// record's number is compared once, as a whole, and the rest of the line passed over with
// memchr: the same outcome at the same place, at the speed of a search.

#include "dialogue/find_record.h"

#include <cstring>

#include "dialogue/record_scan.h"

namespace dlg {

FindOutcome FindRecord(std::string_view bytes, std::string_view target, bool respond) {
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  const char* p = begin;
  auto stop = [&](Miss miss) { return FindOutcome{miss, static_cast<std::size_t>(p - begin)}; };
  // Blank lines: while the character in hand is a CR, the LF and the next character follow.
  auto passBlankLines = [&](char inHand) {
    while (inHand == '\r' && p != end) {
      ++p;  // the LF
      if (p == end) return;
      inHand = *p++;
    }
  };

  if (p == end) return stop(Miss::EndAfterOpener);
  passBlankLines(*p++);  // the first record's opener, not examined
  if (p == end) return stop(Miss::EndAfterOpener);

  // A number never holds "}", so such a target is never met.
  const bool findable = target.find('}') == std::string_view::npos;
  const std::size_t length = target.size();
  for (;;) {
    // Its length read without meeting the end of the file: the number so far is the target.
    if (findable && static_cast<std::size_t>(end - p) > length && *p == target.front() &&
        std::memcmp(p + 1, target.data() + 1, length - 1) == 0) {
      p += length;
      if (*p++ != '}') return stop(Miss::LongerNumber);
      return stop(Miss::None);
    }
    // Otherwise the number is read up to its "}" (numbers are short: a plain loop); the end of
    // the file there, or right after it, ends the scan.
    const char* close = p;
    while (close != end && *close != '}') ++close;
    if (close == end || close + 1 == end) {
      p = end;
      return stop(Miss::EndInNumber);
    }
    // SkipToNextRecord: through the next CR, the character after it taken as the LF, and the
    // next record's opener.
    p = SkipRecordEnd(close + 1, end);
    if (p != end) passBlankLines(*p++);
    if (p == end) return stop(respond ? Miss::EndAfterRecord : Miss::EndInNumber);
  }
}

}  // namespace dlg
