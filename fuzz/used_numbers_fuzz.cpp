// The used-number scan of Load File over any bytes, against a plain walk over the same bytes.

#include <vector>

#include "commands/open_file.h"
#include "fuzz_check.h"

namespace {

// Each line gives its number when it has a closed first field before any line break; a blank
// line, a line break inside the number or a file without a further CR ends the list.
dlg::ItemList ModelNumbers(std::string_view b) {
  dlg::ItemList out;
  std::size_t pos = 0;
  while (pos < b.size()) {
    const char opener = b[pos++];
    if (opener == '\r' || opener == '\n') break;
    if (opener != '}') {
      const std::size_t close = b.find_first_of("}\r\n", pos);
      if (close == std::string_view::npos || b[close] != '}') break;
      out.push_back(b.substr(pos, close - pos));
      pos = close + 1;
    }
    const std::size_t cr = b.find('\r', pos);
    if (cr == std::string_view::npos || cr + 1 >= b.size()) break;
    pos = cr + 2;  // past the CR and the byte taken as its LF
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace dlg;
  const std::string bytes = fuzz::Bytes(data, size);
  CharSource src(bytes);
  EditorState st;
  EditorWindow w;
  UsedNumberScan(src, st, w);
  fuzz::CheckInBounds(src);
  for (std::string_view n : w.usedNumbers.items) {
    FUZZ_CHECK(!fuzz::Holds(n, '}') && !fuzz::Holds(n, '\r') && !fuzz::Holds(n, '\n'));
  }
  FUZZ_CHECK(
      st.lastLineNumber ==
      (w.usedNumbers.items.empty() ? std::string() : std::string(w.usedNumbers.items.back())));
  FUZZ_CHECK(w.usedNumbers.items == ModelNumbers(bytes));
  return 0;
}
