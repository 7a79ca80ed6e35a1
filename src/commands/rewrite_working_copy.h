#pragma once
// Every change reaches the working copy by a rewrite: at the loss of focus of a field box, and
// for "Save New Line", which must know whether its record reached the file before it lists the
// new number. The line the boxes show is remembered as read or last written, so that leaving a
// box that still matches it writes nothing.

#include <span>
#include <string_view>

#include "commands/editor.h"
#include "dialogue/record.h"

namespace dlg {

enum class RewriteOutcome {
  NotRun,          // no pass: no file selected, or a new line is still being typed
  Written,         // the record was replaced or inserted
  NothingMatched,  // no line carries the number; the working copy is as it was
  Refused,         // a field holds "}", CR or LF; the user was told
  Failed,          // a file operation failed; the user was told
};

RewriteOutcome TryRewriteWorkingCopy(Editor& ed);
// The same for an edit of the shown line: that the working copy holds no line of its number is
// news then, and the user is told that the edit was not saved.
RewriteOutcome RewriteEditedLine(Editor& ed);
// Every write of the working copy: the pieces, written one after the other, replace it whole
// through a new file renamed over it. Written also when only the folder's flush after the
// rename failed (the user was told); the copy's new size and hash are noted, and the caption's
// mark follows.
RewriteOutcome WriteWorkingCopy(Editor& ed, std::span<const std::string_view> pieces);
// After a write: the read buffer holds the copy as the pieces wrote it, for the scans that
// follow (the pieces may point into the buffer itself).
void TakeWrittenBytes(Editor& ed, std::span<const std::string_view> pieces);
void LeaveFieldBox(Editor& ed);  // any of the six field boxes

// The seven field boxes as the record that a rewrite writes.
DialogueRecord RecordFromBoxes(const EditorWindow& w);

// False, after a message naming the field, when the record would not read back as written.
bool CheckRecordWritable(Editor& ed, const DialogueRecord& record);

// The line the boxes show, as read or last written.
void RememberShownLine(Editor& ed);
bool ShownLineEdited(const Editor& ed);

}  // namespace dlg
