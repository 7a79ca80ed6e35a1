#pragma once
// Finding a record by its line number in the working copy and making it the current line, and
// the commands that move to a line by number: "Go to:", the used-number list, Respond, "Jump".

#include <string>

#include "commands/editor.h"

namespace dlg {

// What the male text box shows for the line 0, the end of the conversation.
inline constexpr char kEndOfDialogue[] = "-END OF DIALOG-";

enum class MessageSet { Standard, Respond, EditResponse };
struct LookupOptions {
  bool leaveNewLineMode = false;
  bool showGoToFirst = false;  // "Jump" also makes "Go to 1" visible
  MessageSet messages = MessageSet::Standard;
  // The read buffer holds the working copy as a write by this editor just left it, and the boxes
  // hold no edit: nothing is written or read first.
  bool written = false;
};

// Reads the working copy whole into `ed.buffers.read`; a copy that cannot be read is reported.
// With `mayReuse`, bytes still in the buffer from the last read of the unchanged file serve.
bool ReadWorkingCopy(Editor& ed, bool mayReuse);
void ClearLineView(Editor& ed);
void LeaveNewLineMode(Editor& ed);
// `target` is a copy of its own: callers hand in the text of boxes that the lookup clears. True
// when the line (or the end of the conversation) is shown. A visit only for its callers below.
bool GoToLine(Editor& ed, std::string target, const LookupOptions& options);
// Shown by its number as a command goes there, and visited (for Back and Forward).
void GoToAndVisit(Editor& ed, std::string target, const LookupOptions& options);
void GoToTypedLine(Editor& ed);  // "Go to:"
void GoToUsedNumber(Editor& ed);
void Respond(Editor& ed);     // "Respond"
void FollowJump(Editor& ed);  // "Jump"
// A line picked in a view of the whole conversation: shown as "Go to:" with its number would.
void GoToPickedLine(Editor& ed, std::string number);

}  // namespace dlg
