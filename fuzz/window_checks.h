#pragma once
// Invariants of the window model that hold after any read, whatever the file held.

#include "commands/editor_window.h"
#include "dialogue/char_source.h"
#include "fuzz_check.h"

namespace dlg::fuzz {

// The six columns of the response list always describe the same entries.
inline void CheckResponseLists(const EditorWindow& w) {
  const int n = w.replies.Count();
  FUZZ_CHECK(w.replyNumbers.Count() == n);
  FUZZ_CHECK(w.replyIntChecks.Count() == n);
  FUZZ_CHECK(w.replyForms.Count() == n);
  FUZZ_CHECK(w.replyTargets.Count() == n);
  FUZZ_CHECK(w.replyFlagTexts.Count() == n);
  for (std::string_view m : w.replyForms.items) FUZZ_CHECK(m == "Male" || m == "female");
}

// A read past the end of the bytes leaves "" in hand, with every byte read.
inline bool RanOut(const CharSource& src, Char currentChar) {
  return currentChar == kNoChar && src.AtEnd();
}

// After ShowLine and GatherResponses: the kind is shown, a PC line has no responses, and a
// reading ended where the operations promise, or where the bytes ran out.
inline void CheckLineView(const CharSource& src, Char currentChar, bool endOfResponses,
                          const EditorWindow& w) {
  CheckResponseLists(w);
  FUZZ_CHECK(w.lineKind.text == "NPC" || w.lineKind.text == "PC");
  if (w.lineKind.text == "PC") {
    FUZZ_CHECK(w.replies.Count() == 0 && !endOfResponses);
    FUZZ_CHECK(currentChar == kCR || RanOut(src, currentChar));
  } else if (endOfResponses) {
    FUZZ_CHECK(currentChar == kClose);
  } else {
    // No end test stops the gathering: only the next NPC line, or the end of the bytes (with the
    // CR of the last line in hand when its LF is missing).
    FUZZ_CHECK(src.AtEnd() && (currentChar == kNoChar || currentChar == kCR));
  }
}

}  // namespace dlg::fuzz
