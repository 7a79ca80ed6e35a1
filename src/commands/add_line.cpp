// "Add Line" and "Save New Line": a new record under a number not yet listed, written into the
// working copy where its value puts it among the listed numbers.

#include "commands/add_line.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/boxes.h"
#include "commands/lookup.h"
#include "commands/number_offers.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_safety.h"
#include "dialogue/leading_number.h"
#include "dialogue/number_rules.h"
#include "dialogue/rewrite.h"

namespace dlg {
namespace {

// The whole number that places a new line, or nothing, after a message, when the text has none
// or one too large to place.
std::optional<std::int64_t> PlacingNumber(Editor& ed, const std::string& text) {
  std::optional<LeadingNumber> parsed = ParseLeadingNumber(text);
  if (!parsed) {
    ShowCritical(ed, "Not a Line Number",
                 "\"" + text + "\" does not begin with a number. Please enter a line number.");
    return std::nullopt;
  }
  std::optional<std::int64_t> n = RoundHalfEven(*parsed);
  if (!n) {
    ShowCritical(ed, "Line Number Too Large",
                 "The number " + text +
                     " is too large. Please enter a line number from -9223372036854775808 to "
                     "9223372036854775807.");
  }
  return n;
}

struct Placement {
  std::size_t index = 0;     // where the new number enters the used-number list
  std::string insertAfter;   // the last listed number not above the new one
  bool beforeFirst = false;  // no listed number is below or equal to the new one
  bool last = true;          // no listed number is above it
};

// The value of a number of plain digits short enough for 64 bits, which is what nearly every
// listed number is: a hundred thousand of them are compared at each "Save New Line".
std::optional<std::int64_t> PlainValue(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  std::int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool Above(std::string_view listed, std::int64_t n, const LeadingNumber& value) {
  if (std::optional<std::int64_t> plain = PlainValue(listed)) return *plain > n;
  return Compare(ValueOf(listed), value) > 0;
}

// Listed numbers are compared by their own value, not rounded, with the rounded new number.
Placement FindPlace(const ItemList& listed, std::int64_t n) {
  Placement p;
  p.index = listed.size();
  const LeadingNumber value = WholeValue(n);
  for (std::size_t i = 0; i < listed.size(); ++i) {
    if (Above(listed[i], n, value)) {
      p.index = i;
      p.last = false;
      break;
    }
    p.insertAfter = listed[i];
  }
  p.beforeFirst = p.index == 0;
  return p;
}

void ShowNewLineControls(EditorWindow& w, bool newLine) {
  w.saveNewLine.visible = newLine;
  w.lineKind.visible = !newLine;
  w.lineKindChoice.visible = newLine;
  // The drop-down keeps its last choice, so the jump box follows what it shows: a reply typed
  // while "PC" shows must have its target box.
  w.jumpLine.enabled = !newLine || w.lineKindChoice.text != "NPC";
  w.goToFirst.visible = !newLine;
}

// Anything in a field box of the new line, flags from the Flag Editor included.
bool HoldsTypedText(const EditorWindow& w) {
  for (const TextBox* box : {&w.maleText, &w.femaleText, &w.intCheck, &w.conditionFlags,
                             &w.jumpLine, &w.executionFlags}) {
    if (!box->text.empty()) return true;
  }
  return false;
}

void ReportLineExists(Editor& ed) {
  ShowLineExists(ed);
  ed.window.newLineNumber.text.clear();
}

}  // namespace

NewLineLeft LeaveNewLine(Editor& ed) {
  if (!ed.state.newLineMode) return NewLineLeft::NotInIt;
  if (HoldsTypedText(ed.window)) {
    switch (AskExclamation(ed, "Save New Line?",
                           "Save the new line " + ed.window.lineNumber.text + " before leaving it?",
                           MsgButtons::YesNoCancel)) {
      case MsgAnswer::Yes:
        SaveNewLine(ed);
        return ed.state.newLineMode ? NewLineLeft::Kept : NewLineLeft::Saved;
      case MsgAnswer::No:
        break;
      default:
        return NewLineLeft::Kept;
    }
  }
  // Emptied first: what was typed must not pass for an edit of the line shown next.
  ClearLineView(ed);
  LeaveNewLineMode(ed);
  return NewLineLeft::Dropped;
}

void EscapeNewLine(Editor& ed) {
  const std::string back = ed.state.lineBeforeNewLine;
  if (LeaveNewLine(ed) == NewLineLeft::Dropped && !back.empty())
    GoToLine(ed, back, {.leaveNewLineMode = true, .showGoToFirst = true});
}

void AddLine(Editor& ed) {
  if (ed.window.newLineNumber.text.empty() && ed.state.fileLoaded) {
    if (!ReadWorkingCopy(ed, true)) return;
    ed.window.newLineNumber.text =
        NextFreeNumber(ed.buffers.read, ed.window.usedNumbers.items, ed.window.lineNumber.text);
    ed.window.focus = &EditorWindow::newLineNumber;
    ed.window.focusSelectsAll = true;
    return;
  }
  if (!WriteShownLine(ed)) return;
  // A second "Add Line" starts afresh: the line being typed is saved or dropped first. One
  // dropped still came from the line shown before it.
  const std::string text = ed.window.newLineNumber.text;
  const std::string cameFrom = ed.state.lineBeforeNewLine;
  const NewLineLeft left = LeaveNewLine(ed);
  if (left == NewLineLeft::Kept) return;
  ed.window.newLineNumber.text = text;
  if (IsEndJump(text)) {
    ShowReservedNumber(ed);
    return;
  }
  if (text.empty()) {
    ShowEmptyNumber(ed);
    return;
  }
  for (std::string_view item : ed.window.usedNumbers.items) {
    if (item == text) {
      ReportLineExists(ed);
      return;
    }
  }
  // The list stops at a blank line, but the records after it are lines of the dialogue too: a
  // second record of one of their numbers would take the first one's place at the next edit.
  if (ed.state.fileLoaded) {
    if (!ReadWorkingCopy(ed, true)) return;
    if (HoldsRecord(ed.buffers.read, text)) {
      ReportLineExists(ed);
      return;
    }
  }
  // Refused here rather than placed as 0 or at a wrapped value by "Save New Line".
  if (!PlacingNumber(ed, text)) return;
  PrepareNewLine(ed);
  if (left == NewLineLeft::Dropped) ed.state.lineBeforeNewLine = cameFrom;
}

bool CanAddJumpTarget(const Editor& ed) {
  return !ed.state.newLineMode && !MissingJumpTarget(ed).empty();
}

void AddJumpTarget(Editor& ed) {
  if (!CanAddJumpTarget(ed)) return;
  const std::string target = MissingJumpTarget(ed);
  // The list of line numbers stops at a blank line; a record past it is a line all the same.
  if (!ReadWorkingCopy(ed, true)) return;
  if (HoldsRecord(ed.buffers.read, target)) {
    ShowLineExists(ed, "Line " + target +
                           " already exists, past the blank line where the list of line numbers "
                           "stops.");
    return;
  }
  if (AskExclamation(ed, "Add Line",
                     "There is no line " + target + " yet. Add Line " + target + "?",
                     MsgButtons::YesNo) != MsgAnswer::Yes)
    return;
  // "Add Line" writes the line shown first, as every move away from it does.
  ed.window.newLineNumber.text = target;
  AddLine(ed);
}

void PrepareNewLine(Editor& ed) {
  EditorWindow& w = ed.window;
  // A second "Add Line" before "Save New Line" still came from the same line.
  if (!ed.state.newLineMode) ed.state.lineBeforeNewLine = w.lineNumber.text;
  ed.state.newLineMode = true;
  // The view emptied as a lookup empties it, but with the new number as the current line.
  std::string number = std::move(w.newLineNumber.text);
  ClearLineView(ed);
  w.lineNumber.text = std::move(number);
  ShowNewLineControls(w, true);
  w.focus = &EditorWindow::maleText;
}

void SaveNewLine(Editor& ed) {
  EditorState& st = ed.state;
  EditorWindow& w = ed.window;
  std::optional<std::int64_t> n = PlacingNumber(ed, w.lineNumber.text);
  if (!n) return;
  // A refused record keeps the editor in new-line mode, so the user can mend the field.
  if (!CheckRecordWritable(ed, RecordFromBoxes(w))) return;

  const Placement place = FindPlace(w.usedNumbers.items, *n);
  st.insertBeforeFirst = place.beforeFirst;
  if (!place.beforeFirst) st.insertAfter = place.insertAfter;
  st.newLineMode = true;
  st.insertPending = true;
  const RewriteOutcome outcome = TryRewriteWorkingCopy(ed);
  // Whatever happened, a later rewrite must not insert this record by surprise.
  st.insertPending = false;
  st.insertBeforeFirst = false;

  if (outcome == RewriteOutcome::Written) {
    w.usedNumbers.Insert(place.index, std::to_string(*n));
    if (place.last) st.lastLineNumber = w.lineNumber.text;
  } else if (outcome == RewriteOutcome::NothingMatched) {
    ShowCritical(ed, "Cannot Save Line",
                 "The line " + place.insertAfter +
                     ", after which the new line belongs, is not in the working copy. The new "
                     "line was not saved.");
  } else {
    // The user was told what failed; the boxes still hold the new line for another try.
    st.newLineMode = true;
    return;
  }
  st.newLineMode = false;
  st.endOfResponses = false;
  ShowNewLineControls(w, false);
}

}  // namespace dlg
