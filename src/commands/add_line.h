#pragma once
// "Add Line" and "Save New Line": a new record under a number not yet listed.

#include "commands/editor.h"

namespace dlg {

// "Add Line". With an empty number box it offers the next free number above the line shown,
// selected in the box, for Enter to take or the keys to type over.
void AddLine(Editor& ed);
void PrepareNewLine(Editor& ed);
void SaveNewLine(Editor& ed);  // "Save New Line"

// Every way out of new-line mode goes through here first. A new line holding typed text is
// saved, dropped or kept as the user answers "Save New Line?"; one with nothing typed is
// dropped. Saved or dropped, new-line mode is over and the caller goes on; Kept (Cancel, or a
// save that failed) the caller stops.
enum class NewLineLeft { NotInIt, Saved, Dropped, Kept };
NewLineLeft LeaveNewLine(Editor& ed);
inline bool MayLeaveNewLine(Editor& ed) { return LeaveNewLine(ed) != NewLineLeft::Kept; }
// Escape: out of new-line mode as above; a dropped line gives the view back to the line shown
// when "Add Line" was clicked.
void EscapeNewLine(Editor& ed);

// Ctrl+Enter in the jump box of a line shown whose jump names no listed line: asks "Add Line
// 50?", and on Yes writes the line shown and runs "Add Line" with 50.
bool CanAddJumpTarget(const Editor& ed);
void AddJumpTarget(Editor& ed);

}  // namespace dlg
