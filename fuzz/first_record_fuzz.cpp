// The first-record read of Load File (which runs ShowLine and GatherResponses) over any bytes.

#include "commands/open_file.h"
#include "fuzz_check.h"
#include "window_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace dlg;
  CharSource src(fuzz::Bytes(data, size));
  EditorState st;
  EditorWindow w;
  Char currentChar = kNoChar;
  FirstRecordRead(src, currentChar, st, w);
  fuzz::CheckInBounds(src);
  fuzz::CheckResponseLists(w);
  FUZZ_CHECK(!fuzz::Holds(w.lineNumber.text, '}'));
  if (size == 0 || data[0] == '}') {
    // Nothing is shown for a file that begins with "}", and only that "}" is read.
    FUZZ_CHECK(src.Position() == (size == 0 ? 0u : 1u));
    FUZZ_CHECK(w.lineKind.text.empty() && w.lineNumber.text.empty());
  } else if (!w.lineKind.text.empty()) {
    fuzz::CheckLineView(src, currentChar, st.endOfResponses, w);
  } else {
    // The line number never closed: the file ran out inside it.
    FUZZ_CHECK(fuzz::RanOut(src, currentChar) && w.replies.Count() == 0);
  }
  return 0;
}
