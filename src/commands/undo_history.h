#pragma once
// What Undo and Redo keep of the writes of the working copy: for each, only the bytes of the
// records it replaced and wrote, and the copy's size and hash after it, so that a step is only
// ever undone on the very bytes it left.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dialogue/record.h"

namespace dlg {

// `before` stood at `at` in the copy as the step found it; the step put `after` in its place.
struct UndoHunk {
  std::size_t at = 0;
  std::string before;
  std::string after;
};

struct CopyState {
  off_t size = -1;  // -1: not known
  std::uint64_t hash = 0;
  bool operator==(const CopyState&) const = default;
};

struct UndoStep {
  std::string name;             // for the menu: "Edit of Line 12", "New Line 30", ...
  std::vector<UndoHunk> hunks;  // in file order
  std::string lineBefore;       // the line shown after Undo; "": the first line
  std::string lineAfter;        // the line shown after Redo; "": the first line
  bool numbersChanged = false;  // the used-number list is made again after Undo and Redo
  std::string renamedFrom;      // a renumber: Back and Forward follow the line's new number
  std::string renamedTo;
  CopyState after;   // the copy as the step left it
  CopyState before;  // as Undo left it (known once undone)
};

// Lasts while one file is loaded.
struct UndoHistory {
  std::vector<UndoStep> done;    // the last one is undone first
  std::vector<UndoStep> undone;  // the last one is redone first
  // The edits of the boxes that Undo last put back, and the line as it was shown then: while that
  // line is shown again as it was, Redo types them back in.
  bool typingUndone = false;
  DialogueRecord typingShown, typing;
};

}  // namespace dlg
