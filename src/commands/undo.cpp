// Undo and Redo of the writes of the working copy: the bytes of each step put back, or put in
// again, by one more write of the whole copy through the crash-safe replace.

#include "commands/undo.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "commands/add_line.h"
#include "commands/boxes.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "fileio/file_identity.h"

namespace dlg {
namespace {

// A piece is a carried run when it lies inside `old` at or after what was carried last; any
// other piece is new bytes, and what was skipped of `old` before the next run is what they
// replaced.
std::vector<UndoHunk> HunksOf(std::string_view old, std::span<const std::string_view> pieces) {
  std::vector<UndoHunk> hunks;
  const std::less<const char*> below;
  std::size_t carried = 0;  // the first byte of `old` not yet carried or replaced
  std::string added;
  const auto replace = [&](std::size_t upTo) {
    std::string_view before = old.substr(carried, upTo - carried);
    if (before != added) hunks.push_back({carried, std::string(before), std::move(added)});
    added.clear();
  };
  for (std::string_view piece : pieces) {
    const char* p = piece.data();
    const bool inOld = !piece.empty() && !below(p, old.data() + carried) &&
                       !below(old.data() + old.size(), p + piece.size());
    if (!inOld) {
      added.append(piece);
      continue;
    }
    const auto at = static_cast<std::size_t>(p - old.data());
    replace(at);
    carried = at + piece.size();
  }
  replace(old.size());
  return hunks;
}

CopyState StateOf(const FileIdentity& id) { return {id.size, id.hash}; }

// What a hunk holds in the copy as it stands, and what Undo (or Redo) puts in its place.
const std::string& There(const UndoHunk& h, bool undoing) { return undoing ? h.after : h.before; }
const std::string& Back(const UndoHunk& h, bool undoing) { return undoing ? h.before : h.after; }

// Where each hunk stands in the copy: undoing, where the step's earlier hunks moved it.
std::vector<std::size_t> PlacesNow(const std::vector<UndoHunk>& hunks, bool undoing) {
  std::vector<std::size_t> at;
  at.reserve(hunks.size());
  std::size_t beforeSoFar = 0, afterSoFar = 0;
  for (const UndoHunk& h : hunks) {
    at.push_back(undoing ? h.at - beforeSoFar + afterSoFar : h.at);
    beforeSoFar += h.before.size();
    afterSoFar += h.after.size();
  }
  return at;
}

// The copy that the step left (`undoing`) or found, as pieces that put the other side of each
// hunk in its place. False when a hunk's bytes are not where the step put them.
bool PiecesOver(std::string_view bytes, const std::vector<UndoHunk>& hunks, bool undoing,
                std::vector<std::string_view>& pieces) {
  pieces.clear();
  const std::vector<std::size_t> places = PlacesNow(hunks, undoing);
  std::size_t carried = 0;
  for (std::size_t i = 0; i < hunks.size(); ++i) {
    const std::string_view there = There(hunks[i], undoing);
    const std::size_t at = places[i];
    if (at < carried || at > bytes.size() || bytes.substr(at, there.size()) != there) return false;
    if (at > carried) pieces.push_back(bytes.substr(carried, at - carried));
    if (!Back(hunks[i], undoing).empty()) pieces.push_back(Back(hunks[i], undoing));
    carried = at + there.size();
  }
  if (carried < bytes.size()) pieces.push_back(bytes.substr(carried));
  return true;
}

// The read buffer made to hold the copy as Undo (or Redo) leaves it. A few hunks are put in
// place, from the last one back so that the places of the others hold, as long as the buffer has
// the room: a fresh buffer for a whole copy costs more than moving its bytes.
void MakeInBuffer(Editor& ed, const UndoStep& step, bool undoing,
                  std::span<const std::string_view> pieces) {
  constexpr std::size_t kMostInPlace = 16;
  std::string& bytes = ed.buffers.read;
  std::size_t size = bytes.size();
  for (const UndoHunk& h : step.hunks)
    size = size - There(h, undoing).size() + Back(h, undoing).size();
  if (step.hunks.size() > kMostInPlace || size > bytes.capacity()) {
    TakeWrittenBytes(ed, pieces);
    return;
  }
  const std::vector<std::size_t> at = PlacesNow(step.hunks, undoing);
  for (std::size_t i = step.hunks.size(); i-- > 0;) {
    bytes.replace(at[i], There(step.hunks[i], undoing).size(), Back(step.hunks[i], undoing));
  }
  ed.buffers.cache.Forget();
}

void ShowInBoxes(Editor& ed, const DialogueRecord& r) {
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    (ed.window.*kRecordBoxes[i]).text = r.*kRecordFields[i].member;
  }
}

bool TypingRedoable(const Editor& ed) {
  return ed.undo.typingUndone && ed.state.shownLine == ed.undo.typingShown && !ShownLineEdited(ed);
}

// Undoes the last step done, or redoes the last undone, once the working copy is found to be
// exactly what this editor last wrote and what the step left (or found).
void TakeStep(Editor& ed, bool undoing) {
  std::vector<UndoStep>& from = undoing ? ed.undo.done : ed.undo.undone;
  std::vector<UndoStep>& to = undoing ? ed.undo.undone : ed.undo.done;
  UndoStep& step = from.back();
  if (!ReadWorkingCopy(ed, false)) return;
  const std::string& bytes = ed.buffers.read;
  const CopyState now{static_cast<off_t>(bytes.size()), HashOf(bytes)};
  std::vector<std::string_view> pieces;
  if (now != StateOf(ed.safety.workingCopy) || now != (undoing ? step.after : step.before) ||
      !PiecesOver(bytes, step.hunks, undoing, pieces)) {
    ShowExclamation(ed, "Working Copy Changed",
                    ed.state.WorkingCopyPath() +
                        " was changed by another program after this editor last wrote it, so "
                        "nothing was " +
                        (undoing ? "undone." : "redone."));
    return;
  }
  // The new text is made in the read buffer, which the lookup that shows the line reads, and
  // written from there: laid out as the file is, it is copied to it at full speed, where a run
  // shifted by a few bytes is not. Should the write fail, the buffer holds what the copy does
  // not, which the forgotten cache tells every read.
  MakeInBuffer(ed, step, undoing, pieces);
  const std::string_view text = ed.buffers.read;
  if (WriteWorkingCopy(ed, {&text, 1}) != RewriteOutcome::Written) return;
  if (undoing) step.before = StateOf(ed.safety.workingCopy);
  if (step.numbersChanged) ListUsedNumbersAgain(ed);
  if (!step.renamedFrom.empty()) {
    ed.visited.Rename(undoing ? step.renamedTo : step.renamedFrom,
                      undoing ? step.renamedFrom : step.renamedTo);
  }
  const std::string line = undoing ? step.lineBefore : step.lineAfter;
  to.push_back(std::move(step));
  from.pop_back();
  ShowLineAfterWrite(ed, line);
}

}  // namespace

bool CanUndo(const Editor& ed) {
  return ed.state.fileLoaded &&
         (ed.state.newLineMode || ShownLineEdited(ed) || !ed.undo.done.empty());
}

bool CanRedo(const Editor& ed) {
  return ed.state.fileLoaded && !ed.state.newLineMode && !ShownLineEdited(ed) &&
         (TypingRedoable(ed) || !ed.undo.undone.empty());
}

std::string UndoName(const Editor& ed) {
  if (!CanUndo(ed)) return {};
  if (ed.state.newLineMode) return "Add Line " + ed.window.lineNumber.text;
  if (ShownLineEdited(ed)) return "Typing";
  return ed.undo.done.back().name;
}

std::string RedoName(const Editor& ed) {
  if (!CanRedo(ed)) return {};
  return TypingRedoable(ed) ? "Typing" : ed.undo.undone.back().name;
}

void Undo(Editor& ed) {
  if (!CanUndo(ed)) return;
  if (ed.state.newLineMode) {
    // The new line was never written, so no step holds it: what was typed in its boxes would go
    // with it, and is asked about as every other way out of a new line asks.
    EscapeNewLine(ed);
  } else if (ShownLineEdited(ed)) {
    ed.undo.typingUndone = true;
    ed.undo.typingShown = ed.state.shownLine;
    ed.undo.typing = RecordFromBoxes(ed.window);
    ShowInBoxes(ed, ed.state.shownLine);
  } else {
    TakeStep(ed, true);
  }
}

void Redo(Editor& ed) {
  if (!CanRedo(ed)) return;
  if (TypingRedoable(ed)) {
    ed.undo.typingUndone = false;
    ShowInBoxes(ed, ed.undo.typing);
  } else {
    TakeStep(ed, false);
  }
}

void RecordStep(Editor& ed, std::string_view old, std::span<const std::string_view> pieces,
                UndoStep step) {
  step.hunks = HunksOf(old, pieces);
  if (step.hunks.empty()) return;
  step.after = StateOf(ed.safety.workingCopy);
  ed.undo.done.push_back(std::move(step));
  ed.undo.undone.clear();
}

}  // namespace dlg
