#include "dialogue/conversation.h"

#include <algorithm>

#include "dialogue/line_scanner.h"
#include "dialogue/number_index.h"
#include "dialogue/number_rules.h"

namespace dlg {

namespace {

const FileLine kEmptyLine;
const Record kEmptyRecord;

Target Resolve(NumberIndex::Found found) {
  // The lookup stops at `first`; it is the record wanted when its number is the jump itself, that
  // is when it is also the first record with exactly that number.
  if (found.first != -1 && found.first == found.exact) return {TargetKind::Record, found.first};
  return {TargetKind::Missing, found.exact};
}

// Out of the read's loop: nearly every number is plain.
[[gnu::noinline]] bool Descends(const std::vector<Record>& records, int i) {
  if (i == 0) return false;
  const std::string_view number = records[i].Field(0), before = records[i - 1].Field(0);
  return IsDigits(number) && IsDigits(before) && CompareValues(number, before) < 0;
}

}  // namespace

std::vector<char> Reachable(const Conversation& c) {
  const int n = static_cast<int>(c.records.size());
  std::vector<char> seen(c.records.size(), false);
  if (n == 0) return seen;
  std::vector<int> todo{0};
  seen[0] = true;
  auto visit = [&](int r) {
    if (r >= 0 && !seen[r]) {
      seen[r] = true;
      todo.push_back(r);
    }
  };
  // Only the targets are read, a small list still at hand, not the records: an NPC line has no
  // target, and its replies are the records after it up to the next one that has none.
  while (!todo.empty()) {
    const int r = todo.back();
    todo.pop_back();
    if (c.target[r].kind == TargetKind::None) {
      for (int i = r + 1; i < n && c.target[i].kind != TargetKind::None; ++i) visit(i);
    } else if (c.target[r].kind == TargetKind::Record) {  // the editor never shows a Missing one
      visit(c.target[r].record);
    }
  }
  return seen;
}

int Conversation::FoundAmongShadowed(int i) const {
  const auto at = std::lower_bound(shadowed.begin(), shadowed.end(), i,
                                   [](const Shadowed& s, int record) { return s.record < record; });
  return at != shadowed.end() && at->record == i ? at->foundBy : i;
}

Conversation ReadConversation(std::string_view bytes) {
  Conversation c;
  // About a hundred bytes a record: enough room for most files at once, and the vectors grow
  // past the guess when they must. Room reserved but never used is memory never touched. The
  // records get the most room: the C library hands back to the system the memory freed at the
  // top of its heap when that is more than twice the largest block it has seen, and so a view
  // that reads again and again (each read touching new pages) would pay a page fault for each
  // page it writes unless the records stay the larger part of what is freed (check_bench's
  // findings of every reply outgrow them at two records of 40 bytes a guess).
  const std::size_t guess = bytes.size() / 64 + 1;
  c.lines.reserve(guess);
  c.records.reserve(3 * guess);
  c.target.reserve(guess);
  NumberIndex index(bytes);

  LineScanner scanner(bytes);
  int npc = -1;
  bool lastPlain = false;  // the number of the record before, when plain
  std::uint64_t lastValue = 0;
  for (;;) {
    // Read in place: the record is dropped again when its line holds none.
    FileLine& line = c.lines.emplace_back(kEmptyLine);
    Record& r = c.records.emplace_back(kEmptyRecord);
    if (!scanner.Next(line, r)) {
      c.lines.pop_back();
      c.records.pop_back();
      break;
    }
    // Blank lines and lines without a single "}" carry no record; the syntax check names them.
    if (line.fieldCount == 0) {
      c.records.pop_back();
      continue;
    }
    const int i = static_cast<int>(c.records.size()) - 1;
    const std::string_view number = r.Field(0), jump = r.Field(5);
    r.line = static_cast<int>(c.lines.size());
    r.npc = IsNpcJump(jump);
    bool plainNumber, plainJump = true;
    std::uint64_t value = 0;
    if (const int found = index.Add(number, i, plainNumber, value); found != i) [[unlikely]]
      c.shadowed.push_back({i, found});
    // Two plain numbers compare by value; anything else by the text, the record before at hand.
    if (plainNumber && lastPlain) [[likely]]
      r.descends = value < lastValue;
    else
      r.descends = Descends(c.records, i);
    lastPlain = plainNumber;
    lastValue = value;
    c.target.emplace_back();
    if (r.npc) {
      npc = i;
    } else {
      if (npc != -1) ++c.records[npc].replyCount;
      if (IsEndJump(jump)) {
        c.target.back().kind = TargetKind::End;
      } else {
        // Where the jump stands in the index, marked while its bytes are at hand and kept in
        // the target until every number is in: resolving it then reads the short list of
        // targets, not the records and the file again.
        c.target.back() = {TargetKind::Record, index.Mark(jump, plainJump)};
      }
    }
    r.group = npc;
    r.plainNumbers = plainNumber && plainJump;
  }

  // Where the replies lead, once every number is in the index: a lookup stops at the first
  // record whose number begins with the jump, wherever it stands.
  for (Target& t : c.target)
    if (t.kind == TargetKind::Record) t = Resolve(index.At(t.record));
  c.longLines = scanner.LongLines();
  return c;
}

}  // namespace dlg
