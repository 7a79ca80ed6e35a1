#pragma once
// Invariants of the window model that hold after any read, whatever the file held.

#include "commands/editor_window.h"
#include "dialogue/char_source.h"
#include "fuzz_check.h"

namespace dlg::fuzz {

// The six columns of the response list always describe the same entries.
inline void CheckResponseLists(const EditorWindow& w) {
  const int n = w.lstresponses.Count();
  FUZZ_CHECK(w.lsthideline.Count() == n);
  FUZZ_CHECK(w.lstint.Count() == n);
  FUZZ_CHECK(w.lstForM.Count() == n);
  FUZZ_CHECK(w.lstline.Count() == n);
  FUZZ_CHECK(w.lstflags.Count() == n);
  for (std::string_view m : w.lstForM.items) FUZZ_CHECK(m == "Male" || m == "female");
}

// After ShowLine and GatherResponses: the kind is shown, a PC line has no responses, and a
// reading that did not run out of file ended where the operations promise.
inline void CheckLineView(const CharSource& src, Char currentChar, bool endOfResponses,
                          const EditorWindow& w) {
  CheckResponseLists(w);
  FUZZ_CHECK(w.txtnpc.text == "NPC" || w.txtnpc.text == "PC");
  if (w.txtnpc.text == "PC") FUZZ_CHECK(w.lstresponses.Count() == 0 && !endOfResponses);
  if (src.Overrun()) return;
  if (w.txtnpc.text == "PC") {
    FUZZ_CHECK(currentChar == kCR);
  } else {
    // No end test stops the gathering: only the next NPC line does.
    FUZZ_CHECK(endOfResponses && currentChar == kClose);
  }
}

}  // namespace dlg::fuzz
