// Delete Line, and what it shares with Renumber Line. Both read the working copy whole, walk its
// lines as the rewrite does, and write it anew through the same crash-safe replace, as one step
// for Undo; the lines they do not change are carried byte for byte.

#include "commands/shape_lines.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "commands/boxes.h"
#include "commands/line_groups.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_safety.h"
#include "commands/undo.h"
#include "dialogue/record.h"
#include "dialogue/record_line.h"

namespace dlg {

bool LineGroup::Holds(const Line& line) const {
  return std::binary_search(lines.begin(), lines.end(), line,
                            [](const Line& a, const Line& b) { return a.start < b.start; });
}

// A blank line among the replies stays: the used-number scan stops at it, and so it keeps the
// list as it was. A line whose jump cannot be read on it is neither a reply nor an NPC line, and
// ends the replies as surely as the next NPC line.
LineGroup FindLineGroup(std::string_view bytes, std::string_view number) {
  LineGroup g;
  bool amongReplies = false;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    const std::string_view lineNumber = LineNumberOf(content);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (lineNumber == number) {
      g.lines.push_back(line);
      g.isReply.push_back(false);
      ++g.numbered;
      amongReplies = jump && IsNpcJump(*jump);
      continue;
    }
    if (amongReplies && content.empty()) continue;
    if (amongReplies && jump && !IsNpcJump(*jump)) {
      g.lines.push_back(line);
      g.isReply.push_back(true);
      ++g.replies;
      continue;
    }
    amongReplies = false;
    if (g.lines.empty() && !lineNumber.empty()) g.lineBefore = lineNumber;
  }
  return g;
}

std::vector<std::string_view> RepliesLeadingTo(std::string_view bytes, std::string_view number,
                                               const LineGroup* group) {
  std::vector<std::string_view> replies;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (!jump || IsNpcJump(*jump) || *jump != number) continue;
    if (group == nullptr || !group->Holds(line)) replies.push_back(LineNumberOf(content));
  }
  return replies;
}

std::string NumberList(const std::vector<std::string_view>& numbers) {
  constexpr std::size_t kNamed = 10;
  const std::size_t named = std::min(numbers.size(), kNamed);
  std::string list;
  for (std::size_t i = 0; i < named; ++i) {
    if (i > 0) list += (i + 1 == named && numbers.size() <= kNamed) ? " and " : ", ";
    list += numbers[i];
  }
  if (numbers.size() > kNamed) list += " and " + std::to_string(numbers.size() - kNamed) + " more";
  return list;
}

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

namespace {

std::string Count(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Names the replies of other lines that would lead nowhere once it is gone.
std::string DeleteQuestion(const LineGroup& g, const std::string& number,
                           const std::vector<std::string_view>& leading) {
  const auto replies = [&](const char* whose) {
    return g.replies == 0
               ? std::string()
               : " and " + std::string(whose) + " " + Count(g.replies, "reply", "replies");
  };
  std::string question = g.numbered == 1 ? "Delete line " + number + replies("its") + "?"
                                         : "Delete the " + std::to_string(g.numbered) +
                                               " lines numbered " + number + replies("their") + "?";
  if (leading.empty()) return question;
  const bool one = leading.size() == 1;
  return question + (one ? " Reply " : " Replies ") + NumberList(leading) +
         (one ? " leads to " : " lead to ") + (g.numbered == 1 ? "it." : "them.");
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
  const LineGroup g = FindLineGroup(bytes, number);
  if (g.lines.empty()) {
    ReportNotInCopy(ed, "Delete", number, "deleted");
    return;
  }
  const std::vector<std::string_view> leading = RepliesLeadingTo(bytes, number, &g);
  if (AskExclamation(ed, "Delete Line", DeleteQuestion(g, number, leading), MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return;
  std::vector<std::string_view> pieces;
  std::size_t carried = 0;
  for (const Line& line : g.lines) {
    if (line.start > carried) pieces.push_back(bytes.substr(carried, line.start - carried));
    carried = line.end;
  }
  if (carried < bytes.size()) pieces.push_back(bytes.substr(carried));
  UndoStep step;
  step.name = "Delete Line " + number;
  step.lineBefore = number;
  step.lineAfter = g.lineBefore;
  step.numbersChanged = true;
  WriteAsStep(ed, pieces, std::move(step));
}

}  // namespace dlg
