// Renumber Line: the line shown, and on request its replies, given new numbers where they
// stand; the replies that the lookup led to them follow. One write, one step for Undo.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "commands/boxes.h"
#include "commands/line_groups.h"
#include "commands/lookup.h"
#include "commands/save_safety.h"
#include "commands/shape_lines.h"
#include "dialogue/find_record.h"
#include "dialogue/number_rules.h"
#include "dialogue/record_line.h"
#include "dialogue/rewrite.h"

namespace dlg {
namespace {

// Short enough that an offset added to it stays within 64 bits.
std::optional<std::int64_t> OffsetValue(std::string_view text) {
  if (!IsPlainNumber(text) || text.size() > 17) return std::nullopt;
  return std::stoll(std::string(text));
}

// One number given to some records: the line's to every record that carries it, a reply's to
// that reply.
struct Rename {
  std::string from, to;
  std::vector<std::size_t> records;  // where their lines start, in file order
  bool leads = false;                // the lookup of `from` finds one of them
};

bool Renames(const Rename& r, std::size_t start) {
  for (std::size_t s : r.records)
    if (s == start) return true;
  return false;
}

// The replies of the line whose numbers keep their offset from it: 61 of line 60 becomes 71
// when the line becomes 70. A reply without a plain number keeps it.
std::vector<Rename> ReplyRenames(std::string_view bytes, const LineGroup& g,
                                 const std::string& number, const std::string& newNumber) {
  std::vector<Rename> renames;
  const std::optional<std::int64_t> from = OffsetValue(number), to = OffsetValue(newNumber);
  if (!from || !to) return renames;
  std::unordered_map<std::string_view, std::size_t> seen;
  for (std::size_t i = 0; i < g.lines.size(); ++i) {
    if (!g.isReply[i]) continue;
    const std::string_view reply = LineNumberOf(ContentOf(bytes, g.lines[i]));
    const std::optional<std::int64_t> value = OffsetValue(reply);
    if (!value || *value - *from + *to <= 0 || reply == number) continue;
    auto [at, added] = seen.emplace(reply, renames.size());
    if (added) renames.push_back({std::string(reply), std::to_string(*value - *from + *to), {}});
    renames[at->second].records.push_back(g.lines[i].start);
  }
  return renames;
}

// The spans of the old numbers and of the jumps that follow them, in file order, each with the
// number that replaces it.
std::vector<std::pair<std::size_t, const Rename*>> FindSpans(std::string_view bytes,
                                                             std::vector<Rename>& renames) {
  std::unordered_map<std::string_view, const Rename*> byNumber;
  for (Rename& r : renames) {
    // Found, the lookup stops just after the "}" of the number, which its opener precedes.
    const FindOutcome target = FindRecord(bytes, r.from, false);
    r.leads = target.miss == Miss::None && Renames(r, target.position - r.from.size() - 2);
    byNumber.emplace(r.from, &r);
  }
  std::vector<std::pair<std::size_t, const Rename*>> spans;
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = ContentOf(bytes, line);
    if (auto it = byNumber.find(LineNumberOf(content));
        it != byNumber.end() && Renames(*it->second, line.start))
      spans.emplace_back(line.start + 1, it->second);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (!jump) continue;
    if (auto it = byNumber.find(*jump); it != byNumber.end() && it->second->leads)
      spans.emplace_back(static_cast<std::size_t>(jump->data() - bytes.data()), it->second);
  }
  return spans;
}

// The number of the record at which a lookup stopped because its number is longer.
std::string_view LongerNumberAt(std::string_view bytes, const FindOutcome& f,
                                std::string_view target) {
  const std::size_t start = f.position - target.size() - 1;
  const std::size_t end = bytes.find_first_of("}\r\n", start);
  return bytes.substr(start, end == std::string_view::npos ? end : end - start);
}

// The lookup stops at the first record whose number begins with the one looked for: a new
// number must not stand behind such a record, nor stand in front of a line that it would hide.
bool KeepsLookupsWorking(Editor& ed, std::string_view bytes, const std::vector<Rename>& renames) {
  for (const Rename& r : renames) {
    const std::size_t firstStart = r.records.front();
    const FindOutcome own = FindRecord(bytes, r.to, false);
    if (own.miss == Miss::LongerNumber && own.position < firstStart) {
      ShowCritical(ed, "Line Number Hidden",
                   "A jump to " + r.to + " would stop at line " +
                       std::string(LongerNumberAt(bytes, own, r.to)) +
                       ", which comes first and whose number begins with " + r.to +
                       ". Please enter a different number.");
      return false;
    }
    for (std::size_t length = 1; length < r.to.size(); ++length) {
      const std::string shorter = r.to.substr(0, length);
      bool renumbered = false;  // renumbered too
      for (const Rename& other : renames) renumbered = renumbered || other.from == shorter;
      if (renumbered) continue;
      const FindOutcome other = FindRecord(bytes, shorter, false);
      if (other.miss == Miss::None && other.position > firstStart) {
        ShowCritical(ed, "Line Number Hides Another",
                     "A jump to " + shorter + " would stop at line " + r.to +
                         ", which would come first and whose number begins with " + shorter +
                         ". Please enter a different number.");
        return false;
      }
    }
  }
  return true;
}

// A reply's new number that a record keeps, one not renumbered with it: refused whole.
bool RepliesFindFreeNumbers(Editor& ed, std::string_view bytes,
                            const std::vector<Rename>& renames) {
  std::unordered_map<std::string_view, const Rename*> byNew;
  for (std::size_t i = 1; i < renames.size(); ++i) byNew.emplace(renames[i].to, &renames[i]);
  LineCursor cursor(bytes);
  for (Line line; cursor.Next(line);) {
    auto it = byNew.find(LineNumberOf(ContentOf(bytes, line)));
    if (it == byNew.end()) continue;
    bool vacated = false;
    for (const Rename& r : renames) vacated = vacated || Renames(r, line.start);
    if (vacated) continue;
    ShowLineExists(ed, "The line " + it->second->to + " already exists, so reply " +
                           it->second->from + " cannot become " + it->second->to +
                           ". Please enter a different number.");
    return false;
  }
  return true;
}

bool MayTakeOverReplies(Editor& ed, std::string_view bytes, const std::string& newNumber) {
  const std::vector<std::string_view> replies = RepliesLeadingTo(bytes, newNumber);
  if (replies.empty()) return true;
  const bool one = replies.size() == 1;
  return AskExclamation(ed, "Renumber Line",
                        (one ? "Reply " : "Replies ") + NumberList(replies) +
                            (one ? " leads" : " lead") + " to line " + newNumber +
                            ", which no record has. " + (one ? "It" : "They") +
                            " will lead to this line. Renumber?",
                        MsgButtons::YesNo) == MsgAnswer::Yes;
}

// The new number as typed, or nothing after the box that says why not; a Cancel says nothing.
std::optional<std::string> AskNewNumber(Editor& ed, const std::string& number) {
  std::string entry =
      ed.platform.InputBox("Enter the new number for line " + number + ":", "Renumber Line");
  if (entry.empty()) return std::nullopt;
  if (entry.find_first_not_of(" \t") == std::string::npos) {
    ShowEmptyNumber(ed);
    return std::nullopt;
  }
  if (IsEndJump(entry)) {
    ShowReservedNumber(ed);
    return std::nullopt;
  }
  if (!IsPlainNumber(entry)) {
    ShowCritical(ed, "Not a Line Number",
                 "\"" + entry +
                     "\" is not a line number. Please enter a whole number in digits only, "
                     "without leading zeros.");
    return std::nullopt;
  }
  return entry;
}

// Yes: the replies' renames join the line's; Cancel: nothing is renumbered.
bool AskAboutReplies(Editor& ed, std::vector<Rename>& renames, std::vector<Rename> replies) {
  if (replies.empty()) return true;
  std::vector<std::string_view> from, to;
  for (const Rename& r : replies) {
    from.push_back(r.from);
    to.push_back(r.to);
  }
  const bool one = replies.size() == 1;
  switch (AskExclamation(ed, "Renumber Line",
                         std::string("Renumber its replies too? ") + (one ? "Reply " : "Replies ") +
                             NumberList(from) + " would become " + NumberList(to) + ".",
                         MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
      for (Rename& r : replies) renames.push_back(std::move(r));
      return true;
    case MsgAnswer::No:
      return true;
    default:
      return false;
  }
}

}  // namespace

void RenumberLine(Editor& ed) {
  if (!CanRenumberLine(ed) || !WriteShownLine(ed)) return;
  const std::string number = ed.window.lineNumber.text;
  const std::optional<std::string> newNumber = AskNewNumber(ed, number);
  if (!newNumber || !ReadWorkingCopy(ed, false)) return;
  const std::string_view bytes = ed.buffers.read;
  // A record that the lookup alone reads with this number (after a line ended by LF alone, say)
  // is one as well.
  if (HoldsRecord(bytes, *newNumber) || FindRecord(bytes, *newNumber, false).miss == Miss::None) {
    ShowLineExists(ed);
    return;
  }
  const LineGroup g = FindLineGroup(bytes, number);
  if (g.numbered == 0) {
    ReportNotInCopy(ed, "Renumber", number, "renumbered");
    return;
  }
  std::vector<Rename> renames(1, Rename{number, *newNumber, {}});
  for (std::size_t i = 0; i < g.lines.size(); ++i)
    if (!g.isReply[i]) renames[0].records.push_back(g.lines[i].start);
  // The line's own number is judged before its replies are asked about.
  if (!KeepsLookupsWorking(ed, bytes, renames) || !MayTakeOverReplies(ed, bytes, *newNumber) ||
      !AskAboutReplies(ed, renames, ReplyRenames(bytes, g, number, *newNumber)))
    return;
  if (renames.size() > 1 &&
      (!RepliesFindFreeNumbers(ed, bytes, renames) || !KeepsLookupsWorking(ed, bytes, renames)))
    return;

  std::vector<std::string_view> pieces;
  std::size_t carried = 0;
  for (const auto& [from, rename] : FindSpans(bytes, renames)) {
    pieces.push_back(bytes.substr(carried, from - carried));
    pieces.push_back(rename->to);
    carried = from + rename->from.size();
  }
  pieces.push_back(bytes.substr(carried));
  std::erase_if(pieces, [](std::string_view piece) { return piece.empty(); });
  UndoStep step;
  step.name = "Renumber Line " + number + " to " + *newNumber;
  if (renames.size() > 1) step.name += " with Its Replies";
  step.lineBefore = number;
  step.lineAfter = *newNumber;
  step.numbersChanged = true;
  step.renamedFrom = number;
  step.renamedTo = *newNumber;
  if (WriteAsStep(ed, pieces, std::move(step))) ed.visited.Rename(number, *newNumber);
}

}  // namespace dlg
