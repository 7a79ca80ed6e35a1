#include "dialogue/conversation.h"

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

std::vector<bool> Reach(const Conversation& c) {
  std::vector<bool> seen(c.records.size(), false);
  if (c.records.empty()) return seen;
  // The replies of each NPC line follow it directly, so its group is the next replyCount records.
  std::vector<int> todo{0};
  seen[0] = true;
  auto visit = [&](int r) {
    if (r >= 0 && !seen[r]) {
      seen[r] = true;
      todo.push_back(r);
    }
  };
  while (!todo.empty()) {
    const int r = todo.back();
    todo.pop_back();
    // An NPC line has no target: its kind tells it from a reply without a look at the record.
    if (c.target[r].kind == TargetKind::None) {
      for (int i = 1; i <= c.replyCount[r]; ++i) visit(r + i);
    } else if (c.target[r].kind == TargetKind::Record) {  // the editor never shows a Missing one
      visit(c.target[r].record);
    }
  }
  return seen;
}

}  // namespace

Conversation ReadConversation(std::string_view bytes) {
  Conversation c;
  // About a hundred bytes a record: enough room for most files at once, and the vectors grow
  // past the guess when they must. Room reserved but never used is memory never touched.
  const std::size_t guess = bytes.size() / 64 + 1;
  c.lines.reserve(guess);
  c.records.reserve(guess);
  c.foundBy.reserve(guess);
  c.group.reserve(guess);
  c.target.reserve(guess);
  c.replyCount.reserve(guess);
  NumberIndex index(bytes.size());
  // Where a reply's jump stands in the index, marked while its bytes are at hand: resolving
  // it once every number is in then reads this short list, not the records and the file again.
  struct Reply {
    int record;
    int place;
  };
  std::vector<Reply> replies;
  replies.reserve(guess);

  LineScanner scanner(bytes);
  int npc = -1;
  for (;;) {
    // Read in place: the record is dropped again when its line holds none. Both start as copies
    // of empty ones, which g++ makes with a few vector moves; a new one it clears with rep stos,
    // whose start-up alone costs more.
    FileLine& line = c.lines.emplace_back(kEmptyLine);
    Record& r = c.records.emplace_back(kEmptyRecord);
    if (!scanner.Next(line, r.fields)) {
      c.lines.pop_back();
      c.records.pop_back();
      break;
    }
    line.number = static_cast<int>(c.lines.size());
    // Blank lines and lines without a single "}" carry no record; the syntax check names them.
    if (line.fieldCount == 0) {
      c.records.pop_back();
      continue;
    }
    const int i = static_cast<int>(c.records.size()) - 1;
    r.line = line.number;
    r.npc = IsNpcJump(r.fields.jumpLine);
    c.foundBy.push_back(index.Add(r.fields.lineNumber, i));
    c.target.emplace_back();
    c.replyCount.push_back(0);
    if (r.npc) {
      npc = i;
    } else {
      if (npc != -1) ++c.replyCount[npc];
      if (IsEndJump(r.fields.jumpLine)) {
        c.target.back().kind = TargetKind::End;
      } else {
        replies.push_back({i, index.Mark(r.fields.jumpLine)});
      }
    }
    c.group.push_back(npc);
  }

  // Where the replies lead, once every number is in the index: a lookup stops at the first
  // record whose number begins with the jump, wherever it stands.
  for (const Reply& reply : replies) c.target[reply.record] = Resolve(index.At(reply.place));
  c.reachable = Reach(c);
  return c;
}

}  // namespace dlg
