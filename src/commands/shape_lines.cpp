// Delete Line and Renumber Line. Both read the working copy whole, walk its lines as the rewrite
// does, and write it anew through the same crash-safe replace, as one step for Undo; the lines
// they do not change are carried byte for byte.

#include "commands/shape_lines.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/boxes.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_safety.h"
#include "commands/undo.h"
#include "dialogue/find_record.h"
#include "dialogue/lines.h"
#include "dialogue/record.h"
#include "dialogue/record_line.h"
#include "dialogue/rewrite.h"

namespace dlg {
namespace {

std::string_view ContentOf(std::string_view bytes, const Line& line) {
  return bytes.substr(line.start, line.contentEnd - line.start);
}

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The write of a changed copy as one step, and the list and the view made to match it.
bool WriteAsStep(Editor& ed, std::span<const std::string_view> pieces, UndoStep step) {
  if (WriteWorkingCopy(ed, pieces) != RewriteOutcome::Written) return false;
  const std::string show = step.lineAfter;
  RecordStep(ed, ed.buffers.read, pieces, std::move(step));
  TakeWrittenBytes(ed, pieces);
  ListUsedNumbersAgain(ed);
  ShowLineAfterWrite(ed, show);
  return true;
}

void ReportNotInCopy(Editor& ed, const std::string& what, const std::string& number,
                     const std::string& done) {
  ShowCritical(ed, "Cannot " + what + " Line",
               "The line " + number + " is not in the working copy. Nothing was " + done + ".");
}

// --- Delete Line

struct Deletion {
  std::vector<Line> lines;  // in file order
  int numbered = 0;         // the records that carry the number
  int replies = 0;          // the replies that go with the NPC lines among them
  std::string_view lineBefore;
};

// A blank line among the replies stays: the used-number scan stops at it, and so it keeps the
// list as it was. A line whose jump cannot be read on it is neither a reply nor an NPC line, and
// ends the replies as surely as the next NPC line.
Deletion FindDeletion(std::string_view bytes, std::string_view number) {
  Deletion d;
  bool amongReplies = false;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    const std::string_view lineNumber = LineNumberOf(content);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (lineNumber == number) {
      d.lines.push_back(line);
      ++d.numbered;
      amongReplies = jump && IsNpcJump(*jump);
      continue;
    }
    if (amongReplies && content.empty()) continue;
    if (amongReplies && jump && !IsNpcJump(*jump)) {
      d.lines.push_back(line);
      ++d.replies;
      continue;
    }
    amongReplies = false;
    if (d.lines.empty() && !lineNumber.empty()) d.lineBefore = lineNumber;
  }
  return d;
}

std::string DeleteQuestion(const Deletion& d, const std::string& number) {
  const auto replies = [&](const char* whose) {
    return d.replies == 0
               ? std::string()
               : " and " + std::string(whose) + " " + Count(d.replies, "reply", "replies");
  };
  if (d.numbered == 1) return "Delete line " + number + replies("its") + "?";
  return "Delete the " + std::to_string(d.numbered) + " lines numbered " + number +
         replies("their") + "?";
}

// --- Renumber Line

// A whole number as the lookup tells numbers apart, by their text: "015" would be another
// number than 15 to every jump.
bool PlainNumber(std::string_view text) {
  if (text.empty() || text[0] == '0') return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

struct Renumbering {
  std::vector<std::pair<std::size_t, std::size_t>> spans;  // old numbers and jumps, in order
  std::size_t firstStart = 0;                              // of the first record renumbered
  bool found = false;
};

// The records that carry `number`, and, when the lookup of `number` finds one of them, every
// reply that jumps to it.
Renumbering FindRenumbering(std::string_view bytes, std::string_view number) {
  Renumbering r;
  // Found, the lookup stops just after the "}" of the number, which its opener precedes.
  const FindOutcome target = FindRecord(bytes, number, false);
  const std::size_t targetStart =
      target.miss == Miss::None ? target.position - number.size() - 2 : std::string_view::npos;
  bool leads = false;
  LineCursor records(bytes);
  for (Line line; records.Next(line);) {
    if (LineNumberOf(ContentOf(bytes, line)) != number) continue;
    if (!r.found) r.firstStart = line.start;
    r.found = true;
    leads = leads || line.start == targetStart;
  }
  if (!r.found) return r;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    if (LineNumberOf(content) == number) {
      r.spans.emplace_back(line.start + 1, line.start + 1 + number.size());
    }
    if (!leads) continue;
    if (const std::optional<std::string_view> jump = JumpOf(content); jump && *jump == number) {
      const auto at = static_cast<std::size_t>(jump->data() - bytes.data());
      r.spans.emplace_back(at, at + number.size());
    }
  }
  return r;
}

// The number of the record at which a lookup stopped because its number is longer.
std::string_view LongerNumberAt(std::string_view bytes, const FindOutcome& f,
                                std::string_view target) {
  const std::size_t start = f.position - target.size() - 1;
  const std::size_t end = bytes.find_first_of("}\r\n", start);
  return bytes.substr(start, end == std::string_view::npos ? end : end - start);
}

// The lookup stops at the first record whose number begins with the one looked for: the new
// number must not stand behind such a record, nor stand in front of a line that it would hide.
bool KeepsLookupsWorking(Editor& ed, std::string_view bytes, const std::string& number,
                         const std::string& newNumber, std::size_t firstStart) {
  const FindOutcome own = FindRecord(bytes, newNumber, false);
  if (own.miss == Miss::LongerNumber && own.position < firstStart) {
    ShowCritical(ed, "Line Number Hidden",
                 "A jump to " + newNumber + " would stop at line " +
                     std::string(LongerNumberAt(bytes, own, newNumber)) +
                     ", which comes first and whose number begins with " + newNumber +
                     ". Please enter a different number.");
    return false;
  }
  for (std::size_t length = 1; length < newNumber.size(); ++length) {
    const std::string shorter = newNumber.substr(0, length);
    if (shorter == number) continue;  // renumbered too
    const FindOutcome other = FindRecord(bytes, shorter, false);
    if (other.miss == Miss::None && other.position > firstStart) {
      ShowCritical(ed, "Line Number Hides Another",
                   "A jump to " + shorter + " would stop at line " + newNumber +
                       ", which would come first and whose number begins with " + shorter +
                       ". Please enter a different number.");
      return false;
    }
  }
  return true;
}

// The numbers of the replies that lead to `number` already: they lead nowhere now, and will lead
// to the line renumbered.
std::vector<std::string_view> RepliesLeadingTo(std::string_view bytes, std::string_view number) {
  std::vector<std::string_view> replies;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (jump && !IsNpcJump(*jump) && *jump == number) replies.push_back(LineNumberOf(content));
  }
  return replies;
}

bool MayTakeOverReplies(Editor& ed, std::string_view bytes, const std::string& newNumber) {
  const std::vector<std::string_view> replies = RepliesLeadingTo(bytes, newNumber);
  if (replies.empty()) return true;
  std::string numbers;
  for (std::string_view reply : replies)
    numbers += (numbers.empty() ? "" : ", ") + std::string(reply);
  return AskExclamation(ed, "Renumber Line",
                        "Replies " + numbers + " lead to line " + newNumber +
                            ", which no record has. They will lead to this line. Renumber?",
                        MsgButtons::YesNo) == MsgAnswer::Yes;
}

// The new number as typed, or nothing after the box that says why not; a Cancel says nothing.
std::optional<std::string> AskNewNumber(Editor& ed, const std::string& number) {
  std::string entry =
      ed.platform.InputBox("Enter the new number for line " + number + ":", "Renumber Line");
  if (entry.empty()) return std::nullopt;
  if (entry.find_first_not_of(" \t") == std::string::npos) {
    ShowOk(ed, "Empty Line Number", "Please Enter a Line Number");
    return std::nullopt;
  }
  if (entry == "0") {
    ShowOk(ed, "0 is reserverd", "0 is a Reserved Number and Cannot be Added");
    return std::nullopt;
  }
  if (!PlainNumber(entry)) {
    ShowCritical(ed, "Not a Line Number",
                 "\"" + entry +
                     "\" is not a line number. Please enter a whole number in digits only, "
                     "without leading zeros.");
    return std::nullopt;
  }
  return entry;
}

}  // namespace

bool CanDeleteLine(const Editor& ed) {
  return ed.state.fileLoaded && !ed.state.newLineMode && !ed.window.lineNumber.text.empty();
}

bool CanRenumberLine(const Editor& ed) { return CanDeleteLine(ed); }

void DeleteLine(Editor& ed) {
  if (!CanDeleteLine(ed) || !WriteShownLine(ed)) return;
  const std::string number = ed.window.lineNumber.text;
  if (!ReadWorkingCopy(ed, false)) return;
  const std::string_view bytes = ed.buffers.read;
  const Deletion d = FindDeletion(bytes, number);
  if (d.lines.empty()) {
    ReportNotInCopy(ed, "Delete", number, "deleted");
    return;
  }
  if (AskExclamation(ed, "Delete Line", DeleteQuestion(d, number), MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return;
  std::vector<std::string_view> pieces;
  std::size_t carried = 0;
  for (const Line& line : d.lines) {
    if (line.start > carried) pieces.push_back(bytes.substr(carried, line.start - carried));
    carried = line.end;
  }
  if (carried < bytes.size()) pieces.push_back(bytes.substr(carried));
  UndoStep step;
  step.name = "Delete Line " + number;
  step.lineBefore = number;
  step.lineAfter = d.lineBefore;
  step.numbersChanged = true;
  WriteAsStep(ed, pieces, std::move(step));
}

void RenumberLine(Editor& ed) {
  if (!CanRenumberLine(ed) || !WriteShownLine(ed)) return;
  const std::string number = ed.window.lineNumber.text;
  const std::optional<std::string> newNumber = AskNewNumber(ed, number);
  if (!newNumber || !ReadWorkingCopy(ed, false)) return;
  const std::string_view bytes = ed.buffers.read;
  // A record that the lookup alone reads with this number (after a line ended by LF alone, say)
  // is one as well.
  if (HoldsRecord(bytes, *newNumber) || FindRecord(bytes, *newNumber, false).miss == Miss::None) {
    ShowCritical(ed, "Line Already Exists",
                 "The line already exists, please enter a different number");
    return;
  }
  const Renumbering r = FindRenumbering(bytes, number);
  if (!r.found) {
    ReportNotInCopy(ed, "Renumber", number, "renumbered");
    return;
  }
  if (!KeepsLookupsWorking(ed, bytes, number, *newNumber, r.firstStart)) return;
  if (!MayTakeOverReplies(ed, bytes, *newNumber)) return;

  std::vector<std::string_view> pieces;
  std::size_t carried = 0;
  for (const auto& [from, to] : r.spans) {
    pieces.push_back(bytes.substr(carried, from - carried));
    pieces.push_back(*newNumber);
    carried = to;
  }
  pieces.push_back(bytes.substr(carried));
  std::erase_if(pieces, [](std::string_view piece) { return piece.empty(); });
  UndoStep step;
  step.name = "Renumber Line " + number + " to " + *newNumber;
  step.lineBefore = number;
  step.lineAfter = *newNumber;
  step.numbersChanged = true;
  step.renamedFrom = number;
  step.renamedTo = *newNumber;
  if (WriteAsStep(ed, pieces, std::move(step))) ed.visited.Rename(number, *newNumber);
}

}  // namespace dlg
