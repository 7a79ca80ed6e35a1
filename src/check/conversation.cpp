#include "check/conversation.h"

#include "check/number_index.h"
#include "dialogue/char_source.h"
#include "dialogue/lines.h"
#include "dialogue/record_reader.h"

namespace dlg::check {

namespace {

Target Resolve(const NumberIndex& index, const std::vector<Record>& records,
               std::string_view jump) {
  if (jump == "0") return {TargetKind::End, -1};
  const int found = index.FirstBeginningWith(jump);
  if (found != -1 && records[found].fields.lineNumber == jump) {
    return {TargetKind::Record, found};
  }
  return {TargetKind::Missing, index.FirstExactly(jump)};
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
    if (c.records[r].npc) {
      for (int i = 1; i <= c.replyCount[r]; ++i) visit(r + i);
    } else if (c.target[r].kind == TargetKind::Record) {  // the editor never shows a Missing one
      visit(c.target[r].record);
    }
  }
  return seen;
}

}  // namespace

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char ch : s) {
    if (ch < '0' || ch > '9') return false;
  }
  return true;
}

std::vector<FileLine> SplitLines(std::string_view bytes) {
  std::vector<FileLine> lines;
  LineCursor cursor(bytes);
  for (Line l; cursor.Next(l);) {
    FileLine line;
    line.number = static_cast<int>(lines.size()) + 1;
    line.text = bytes.substr(l.start, l.contentEnd - l.start);
    line.end = l.end == l.contentEnd         ? LineEnd::None
               : bytes[l.contentEnd] == '\n' ? LineEnd::Lf
               : l.end - l.contentEnd == 2   ? LineEnd::CrLf
                                             : LineEnd::Cr;
    lines.push_back(line);
  }
  return lines;
}

Record ReadRecordOnLine(FileLine& line) {
  Record r;
  r.line = line.number;
  CharSource src{std::string(line.text)};
  Char ch = kNoChar;
  std::string text;  // what the reader hands out; the fields view the line itself
  Fields& f = r.fields;
  for (std::string_view* field : {&f.lineNumber, &f.maleText, &f.femaleText, &f.intCheck,
                                  &f.conditionFlags, &f.jumpLine, &f.executionFlags}) {
    const std::size_t start = src.Position();
    text.clear();
    if (!ScanField(src, ch, text)) break;  // the line ran out before this field's "}"
    // The opener and the "}" are not part of the text; a "}" opener read alone is no text.
    *field = line.text.substr(start + 1, text.size());
    ++line.fieldCount;
  }
  line.textAfter = line.fieldCount == 7 && !src.AtEnd();
  r.npc = IsNpcJump(f.jumpLine);
  return r;
}

Conversation ReadConversation(std::string_view bytes) {
  Conversation c;
  c.lines = SplitLines(bytes);
  c.records.reserve(c.lines.size());
  // Blank lines and lines without a single "}" carry no record; the syntax check names them.
  for (FileLine& line : c.lines) {
    if (line.text.empty()) continue;
    Record r = ReadRecordOnLine(line);
    if (line.fieldCount > 0) c.records.push_back(std::move(r));
  }
  const int n = static_cast<int>(c.records.size());
  NumberIndex index;
  std::size_t numberBytes = 0;
  for (const Record& r : c.records) numberBytes += r.fields.lineNumber.size();
  index.Reserve(numberBytes);
  c.foundBy.assign(n, -1);
  for (int i = 0; i < n; ++i) c.foundBy[i] = index.Add(c.records[i].fields.lineNumber, i);

  c.group.assign(n, -1);
  c.replyCount.assign(n, 0);
  c.target.assign(n, Target{});
  int npc = -1;
  for (int i = 0; i < n; ++i) {
    const Record& r = c.records[i];
    if (r.npc) {
      npc = i;
    } else {
      c.target[i] = Resolve(index, c.records, r.fields.jumpLine);
      if (npc != -1) ++c.replyCount[npc];
    }
    c.group[i] = npc;
  }
  c.reachable = Reach(c);
  return c;
}

}  // namespace dlg::check
