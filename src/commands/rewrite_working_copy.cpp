// Every change reaches the working copy here: the file is read whole, rewritten in memory, and
// replaced by renaming a new file over it, so a failure at any step leaves it as it was.

#include "commands/rewrite_working_copy.h"

#include <string>

#include "commands/boxes.h"
#include "commands/lookup.h"
#include "commands/save_close.h"
#include "commands/save_safety.h"
#include "commands/undo.h"
#include "dialogue/rewrite.h"

namespace dlg {
namespace {

// The scratch copy is opened for output before the mode is known, so a call without a pass
// leaves it behind, empty.
void LeaveEmptyScratchCopy(Editor& ed) {
  if (FileResult r = ed.files.CreateEmpty(ed.state.ScratchCopyPath(), ed.safety.copyMode); !r) {
    ReportFileError(ed, r.failure);
  }
}

std::string WhatTheFieldHolds(const std::string& field) {
  for (char c : field) {
    if (c == '}') return "a \"}\", which would end the field early";
    if (c == '\r' || c == '\n') return "a line break, which would split the line in two";
  }
  return {};
}

// The step that Undo takes back: an edit of the line shown, or a new line, which Undo takes out
// to show again the line from which "Add Line" was clicked.
UndoStep StepOf(const EditorState& st, const RewriteRequest& request) {
  UndoStep step;
  const std::string& number = request.record.lineNumber;
  step.lineAfter = number;
  if (request.mode == RewriteRequest::Mode::Replace) {
    step.name = "Edit of Line " + number;
    step.lineBefore = number;
    return step;
  }
  step.name = "New Line " + number;
  step.lineBefore = !st.lineBeforeNewLine.empty() ? st.lineBeforeNewLine
                    : request.insertBeforeFirst   ? std::string()
                                                  : request.insertAfter;
  step.numbersChanged = true;
  return step;
}

}  // namespace

// Writes the new text beside the working copy and renames it over it. An empty scratch copy
// left by an earlier call without a pass goes: the pass has taken its place.
RewriteOutcome WriteWorkingCopy(Editor& ed, std::span<const std::string_view> pieces) {
  ed.files.Delete(ed.state.ScratchCopyPath());  // one never made is no news
  struct stat written {};
  ContentHash hash;
  const FileResult r =
      ed.files.ReplaceCopy(ed.state.WorkingCopyPath(), pieces, ed.safety.copyMode, &written, &hash);
  if (r.InPlace()) {
    NoteWrittenCopy(ed, written, hash.Value());
    ShowUnsavedMark(ed);
  }
  // Only the flush of the folder after the rename failed: the new text is in place.
  if (!r) ReportFileError(ed, r.failure);
  return r.InPlace() ? RewriteOutcome::Written : RewriteOutcome::Failed;
}

void TakeWrittenBytes(Editor& ed, std::span<const std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string joined;
  joined.reserve(size);
  for (std::string_view piece : pieces) joined.append(piece);
  ed.buffers.read.swap(joined);
  ed.buffers.cache.Forget();
}

DialogueRecord RecordFromBoxes(const EditorWindow& w) {
  DialogueRecord r;
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    r.*kRecordFields[i].member = (w.*kRecordBoxes[i]).text;
  }
  return r;
}

bool CheckRecordWritable(Editor& ed, const DialogueRecord& record) {
  const int field = FirstUnwritableField(record);
  if (field < 0) return true;
  const RecordField& f = kRecordFields[static_cast<std::size_t>(field)];
  const std::string text =
      "The " + std::string(f.label) + " field holds " + WhatTheFieldHolds(record.*f.member) +
      // A new line is written by its button, not by leaving a box.
      (ed.state.newLineMode ? ". Remove it and click \"Save New Line\" again; the line was "
                              "not saved."
                            : ". Remove it and leave the box again; the line was not saved.");
  ShowCritical(ed, "Cannot Save Line", text);
  return false;
}

RewriteOutcome TryRewriteWorkingCopy(Editor& ed) {
  EditorState& st = ed.state;
  RewriteRequest request;
  request.record = RecordFromBoxes(ed.window);
  if (!st.newLineMode) {
    if (ed.window.fileList.fileName.empty()) {
      LeaveEmptyScratchCopy(ed);
      ShowCritical(ed, "Select a .DLG file", "Please select a .DLG file");
      return RewriteOutcome::NotRun;
    }
    request.mode = RewriteRequest::Mode::Replace;
  } else if (st.insertPending) {
    request.mode = RewriteRequest::Mode::Insert;
    request.insertAfter = st.insertAfter;
    request.insertBeforeFirst = st.insertBeforeFirst;
  } else {
    // The new line is still being typed; "Save New Line" writes it.
    LeaveEmptyScratchCopy(ed);
    return RewriteOutcome::NotRun;
  }

  // Read again whatever the cache says: what is written must rest on the file as it is.
  if (!ReadWorkingCopy(ed, false)) return RewriteOutcome::Failed;
  // The carried lines are written straight from the bytes read, never joined into a copy.
  RewriteSplice& splice = ed.buffers.splice;
  SpliceRecords(ed.buffers.read, request, splice);
  // Nothing to splice in: the working copy already holds what a pass would write.
  if (splice.recordsWritten == 0) {
    RememberShownLine(ed);
    return RewriteOutcome::NothingMatched;
  }
  if (request.mode == RewriteRequest::Mode::Replace && st.shownLineRunsOn) {
    ShowCritical(ed, "Cannot Save Line",
                 "Line " + request.record.lineNumber +
                     " runs on into the lines after it in the file (a line ended by LF or CR "
                     "alone, a field missing, or text after the seventh \"}\"), so the boxes show "
                     "parts of those lines, and writing it would copy them into line " +
                     request.record.lineNumber +
                     ". The edit was not saved: Undo takes it back, and dlgcheck names what to "
                     "mend in the file.");
    return RewriteOutcome::Refused;
  }
  if (!CheckRecordWritable(ed, request.record)) return RewriteOutcome::Refused;

  RewriteOutcome outcome = WriteWorkingCopy(ed, splice.pieces);
  if (outcome == RewriteOutcome::Written) {
    RecordStep(ed, ed.buffers.read, splice.pieces, StepOf(st, request));
    RememberShownLine(ed);
  }
  if (outcome == RewriteOutcome::Written && request.mode == RewriteRequest::Mode::Insert) {
    st.insertPending = false;
    st.newLineMode = false;
  }
  return outcome;
}

// Another program took the line out, or the file gave it a number that no line carries as its
// first field: the edit would otherwise be gone without a word.
RewriteOutcome RewriteEditedLine(Editor& ed) {
  const RewriteOutcome outcome = TryRewriteWorkingCopy(ed);
  const std::string& number = ed.window.lineNumber.text;
  if (outcome != RewriteOutcome::NothingMatched) return outcome;
  if (number.empty()) {
    // Typed into a view that shows no line (after a line that was not found, or the end).
    ShowCritical(ed, "Cannot Save Line",
                 "No line is shown, so the edit was not saved. Go to a line first.");
  } else {
    ShowCritical(ed, "Cannot Save Line",
                 "The line " + number + " is not in the working copy. The edit was not saved.");
  }
  return outcome;
}

// The edit is in the working copy before the click that took the focus is handled. A line that
// still reads as shown is not written: on an odd file that would rewrite what was never typed.
void LeaveFieldBox(Editor& ed) {
  if (!ed.state.newLineMode && !ShownLineEdited(ed)) return;
  RewriteEditedLine(ed);
}

void RememberShownLine(Editor& ed) { ed.state.shownLine = RecordFromBoxes(ed.window); }

// Field by field, without a copy of the boxes: it runs at every loss of focus, whatever a field
// holds.
bool ShownLineEdited(const Editor& ed) {
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    if ((ed.window.*kRecordBoxes[i]).text != ed.state.shownLine.*kRecordFields[i].member) {
      return true;
    }
  }
  return false;
}

}  // namespace dlg
