#pragma once
// What the editor offers as the user picks a line number: the next free number for "Add Line",
// the NPC lines a reply's jump can lead to, and a jump to a line that is not there yet.

#include <string>
#include <string_view>
#include <vector>

#include "commands/editor.h"
#include "commands/item_list.h"

namespace dlg {

// The smallest whole number above the value of `shown` (above 0 when it has none) that no line
// of `copy` and no item of `listed` carries, in plain digits. "Add Line" refuses both.
std::string NextFreeNumber(std::string_view copy, const ItemList& listed, std::string_view shown);

// The NPC lines of a working copy as the Jump to Line box lists them, "20  Sit low in the
// boat...", ordered by the bytes of their numbers: a completer then finds the rows that begin
// with what is typed by halving the list, even with half a million of them.
struct JumpTargets {
  ItemList rows;
  ItemList numbers;      // row by row, what a pick puts in the box
  std::string readFrom;  // the working copy and its count of writes the rows were read at
  // The number of every record, sorted: the list of line numbers stops at a blank line, and the
  // records past it are lines that a jump can name too.
  std::vector<std::string> held;
};
bool HoldsNumber(const JumpTargets& targets, std::string_view number);
void ListJumpTargets(std::string_view copy, JumpTargets& targets);
// Reads the working copy again only when it was written since the rows were read; true when
// the rows changed. A copy that cannot be read is reported once, and lists nothing.
bool RefreshJumpTargets(Editor& ed, JumpTargets& targets);

// The number in the jump box of the line shown when it is a plain line number that no listed
// line carries; "" otherwise. The list is in memory, so this is asked at every key.
std::string MissingJumpTarget(const Editor& ed);
// What the jump box says of it: "no line 50 yet", or "".
std::string JumpTargetNote(const Editor& ed);

}  // namespace dlg
