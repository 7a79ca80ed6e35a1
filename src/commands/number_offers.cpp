#include "commands/number_offers.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "commands/lookup.h"
#include "dialogue/leading_number.h"
#include "dialogue/lines.h"
#include "dialogue/number_rules.h"
#include "dialogue/record.h"
#include "dialogue/record_line.h"

namespace dlg {
namespace {

// Plain digits without a leading zero, as the text of a whole number is written.
std::optional<std::uint64_t> PlainValue(std::string_view number) {
  if (!IsPlainNumber(number) || number.size() > 19) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : number) v = v * 10 + static_cast<std::uint64_t>(c - '0');
  return v;
}

// A row shows the start of the male text, cut at a blank where one is near.
constexpr std::size_t kTextStart = 40;

std::string RowOf(std::string_view number, std::string_view male) {
  std::string row(number);
  row += "  ";
  if (male.size() <= kTextStart) return row.append(male);
  // A blank just past the start ends a whole word too.
  std::string_view start = male.substr(0, kTextStart + 1);
  const std::size_t blank = start.rfind(' ');
  start = start.substr(0, blank != std::string_view::npos && blank > 10 ? blank : kTextStart);
  return row.append(start).append("...");
}

}  // namespace

std::string NextFreeNumber(std::string_view copy, const ItemList& listed, std::string_view shown) {
  std::uint64_t from = 1;
  if (std::optional<LeadingNumber> v = ParseLeadingNumber(shown);
      v && !v->negative && v->whole.size() < 19) {
    from = (v->whole.empty() ? 0 : std::stoull(v->whole)) + 1;
  }
  // One of the first (items + lines + 1) numbers from `from` on is free: each is marked in a
  // bitmap, with no sort of a million numbers.
  const std::size_t lines = static_cast<std::size_t>(std::count(copy.begin(), copy.end(), '\n') +
                                                     std::count(copy.begin(), copy.end(), '\r'));
  std::vector<bool> taken(listed.size() + lines + 2);
  const auto take = [&](std::string_view number) {
    if (std::optional<std::uint64_t> v = PlainValue(number);
        v && *v >= from && *v - from < taken.size())
      taken[*v - from] = true;
  };
  for (std::string_view item : listed) take(item);
  LineCursor cursor(copy);
  for (Line line; cursor.Next(line);)
    take(LineNumberOf(copy.substr(line.start, line.contentEnd - line.start)));
  std::uint64_t free = from;
  while (taken[free - from]) ++free;
  return std::to_string(free);
}

void ListJumpTargets(std::string_view copy, JumpTargets& targets) {
  struct Target {
    std::string_view number, male;
  };
  std::vector<Target> found;
  targets.held.clear();
  LineCursor cursor(copy);
  for (Line line; cursor.Next(line);) {
    const std::string_view content = copy.substr(line.start, line.contentEnd - line.start);
    const std::string_view number = LineNumberOf(content);
    if (!number.empty()) targets.held.emplace_back(number);
    const std::optional<std::string_view> jump = JumpOf(content);
    if (number.empty() || !jump || !IsNpcJump(*jump)) continue;
    found.push_back({number, *FieldOf(content, 1)});
  }
  std::sort(targets.held.begin(), targets.held.end());
  std::stable_sort(found.begin(), found.end(),
                   [](const Target& a, const Target& b) { return a.number < b.number; });
  targets.rows.clear();
  targets.numbers.clear();
  targets.rows.reserve(found.size());
  targets.numbers.reserve(found.size());
  for (const Target& t : found) {
    targets.rows.push_back(RowOf(t.number, t.male));
    targets.numbers.push_back(t.number);
  }
}

bool RefreshJumpTargets(Editor& ed, JumpTargets& targets) {
  const std::string key =
      ed.state.fileLoaded ? ed.state.WorkingCopyPath() + '\n' + std::to_string(ed.state.copyWrites)
                          : std::string();
  if (key == targets.readFrom) return false;
  // Noted first: a copy that cannot be read is not read again, and told again, at every key.
  targets.readFrom = key;
  if (key.empty() || !ReadWorkingCopy(ed, true)) {
    targets.rows.clear();
    targets.numbers.clear();
    targets.held.clear();
    return true;
  }
  ListJumpTargets(ed.buffers.read, targets);
  return true;
}

bool HoldsNumber(const JumpTargets& targets, std::string_view number) {
  return std::binary_search(targets.held.begin(), targets.held.end(), number);
}

std::string MissingJumpTarget(const Editor& ed) {
  const EditorWindow& w = ed.window;
  const std::string& jump = w.jumpLine.text;
  if (!ed.state.fileLoaded || w.lineNumber.text.empty() || !PlainValue(jump) || IsEndJump(jump))
    return {};
  for (std::string_view item : w.usedNumbers.items) {
    if (item == jump) return {};
  }
  return jump;
}

std::string JumpTargetNote(const Editor& ed) {
  const std::string missing = MissingJumpTarget(ed);
  return missing.empty() ? std::string() : "no line " + missing + " yet";
}

}  // namespace dlg
