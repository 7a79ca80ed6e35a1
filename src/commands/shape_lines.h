#pragma once
// Delete Line and Renumber Line: the line shown taken out of the working copy, or given a new
// number that the replies leading to it follow. Each is one step for Undo.

#include "commands/editor.h"

namespace dlg {

// A line is shown, not a new one being typed.
bool CanDeleteLine(const Editor& ed);
bool CanRenumberLine(const Editor& ed);

// Deletes every record that carries the number shown, each NPC line among them with its replies
// (the records after it up to the next NPC line), which would otherwise become replies of the
// line above. Asks first; shows the record that stood before the first one deleted, or the
// first line. Replies elsewhere that led to it are left as they are; the question names them.
void DeleteLine(Editor& ed);

// Asks for the new number and gives it to every record that carries the number shown, where
// they stand; every reply whose jump the lookup leads to one of them jumps to the new number.
// Refuses a number that is not plain digits, 0, one that a record carries, and one that the
// lookup would not find in its place or that would hide another line from it. A line with
// replies is asked whether they move with it, keeping their offsets from its number; a reply
// number that another record carries refuses the whole renumbering.
void RenumberLine(Editor& ed);

}  // namespace dlg
