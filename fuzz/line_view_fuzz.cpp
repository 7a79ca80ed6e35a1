// ShowLine and GatherResponses started anywhere in any bytes, as a lookup that stopped after
// some line number leaves them. The first two bytes give the starting point.

#include "commands/line_view.h"
#include "fuzz_check.h"
#include "window_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace dlg;
  if (size < 2) return 0;
  const std::size_t bodySize = size - 2;
  const std::size_t start = (data[0] | (std::size_t{data[1]} << 8)) % (bodySize + 1);
  CharSource src = fuzz::SourceAt(fuzz::Bytes(data + 2, bodySize), start);
  EditorState st;
  EditorWindow w;
  Char currentChar = kClose;  // the "}" that closed the line number

  ShowLine(src, currentChar, st, w);
  fuzz::CheckInBounds(src);
  FUZZ_CHECK(!st.endOfResponses);
  // Ended by its CR, or the bytes ran out.
  FUZZ_CHECK(currentChar == kCR || fuzz::RanOut(src, currentChar));
  const std::size_t afterLine = src.Position();

  GatherResponses(src, currentChar, st, w);
  fuzz::CheckInBounds(src);
  fuzz::CheckLineView(src, currentChar, st.endOfResponses, w);
  if (w.lineKind.text == "PC") FUZZ_CHECK(src.Position() == afterLine);
  return 0;
}
