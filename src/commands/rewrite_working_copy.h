#pragma once
// What a rewrite of the working copy came to, for "Save New Line", which must know whether its
// record reached the file before it lists the new number.

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

// The seven field boxes as the record that a rewrite writes.
DialogueRecord RecordFromBoxes(const EditorWindow& w);

// False, after a message naming the field, when the record would not read back as written.
bool CheckRecordWritable(Editor& ed, const DialogueRecord& record);

}  // namespace dlg
