#pragma once
// The scans that read only the line number of each record and pass over the rest of its line:
// the lookup (find_record.h) and the two lists of used numbers. They walk the bytes with memchr
// rather than a character at a time, as a list of a million numbers is made at each Load File;
// each keeps the character rules of the scan it stands for.

#include <cstring>
#include <string_view>

namespace dlg {

// SkipToNextRecord: from `p` through the next CR, the byte after it taken as the LF whatever it
// is. The end when there is no CR.
inline const char* SkipRecordEnd(const char* p, const char* end) {
  const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
  if (cr == nullptr) return end;
  p = static_cast<const char*>(cr) + 1;
  return p == end ? end : p + 1;
}

// Load File's list: each record's opener, then its number up to the "}". A CR or LF as an opener
// or inside a number ends the list, as does the end of the bytes inside a number. `add` takes
// each number; returns where the scan stopped. The numbers are short, so a plain loop finds
// their end faster than a search would.
template <class Add>
const char* ScanUsedNumbers(const char* p, const char* const end, Add&& add) {
  while (p != end) {
    const char opener = *p++;
    if (opener == '\r' || opener == '\n') break;
    if (opener != '}') {
      const char* const number = p;
      const char* close = p;
      while (close != end && *close != '}' && *close != '\r' && *close != '\n') ++close;
      if (close == end) return end;
      p = close + 1;
      if (*close != '}') break;
      add(std::string_view(number, static_cast<std::size_t>(close - number)));
    }
    p = SkipRecordEnd(p, end);
  }
  return p;
}

// "Go to 1"'s list: unlike Load File's it keeps a CR or LF inside a number as part of it, and
// stops only where a record should begin or where no "}" or CR is left.
template <class Add>
const char* ScanUsedNumbersAcrossBreaks(const char* p, const char* const end, Add&& add) {
  while (p != end) {
    const char opener = *p++;
    if (opener == '\r' || opener == '\n') break;
    if (opener != '}') {
      const void* close = std::memchr(p, '}', static_cast<std::size_t>(end - p));
      if (close == nullptr) break;
      add(std::string_view(p, static_cast<std::size_t>(static_cast<const char*>(close) - p)));
      p = static_cast<const char*>(close) + 1;
    }
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
    if (cr == nullptr) break;
    p = static_cast<const char*>(cr) + 1;
    if (p != end) ++p;  // the LF, whatever it is
  }
  return p;
}

}  // namespace dlg
