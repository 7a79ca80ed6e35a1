#pragma once
// The conversation of a file as its rules say, the slow way: lines by SplitLines, each line's
// record by ReadRecordOnLine (the editor's field reader, a character at a time, the line bounding
// what is read), every lookup a scan from the top. ReadConversation must give the same, byte for
// byte; the fuzz target holds it to this model over its seeds and whatever it makes of them.

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/char_source.h"
#include "dialogue/conversation.h"
#include "dialogue/lines.h"
#include "dialogue/number_rules.h"
#include "dialogue/record_reader.h"

namespace dlg::test {

// The model's own plain forms of a line, a record and the conversation: every view whole.
struct ModelLine {
  int number = 0;
  std::string_view text;
  LineEnd end = LineEnd::None;
  int fieldCount = 0;
  bool textAfter = false;
};
struct ModelRecord {
  int line = 0;
  Fields fields;
  bool npc = false;
};
struct Model {
  std::vector<ModelLine> lines;
  std::vector<ModelRecord> records;
  std::vector<int> group, replyCount, foundBy;
  std::vector<Target> target;
  std::vector<bool> reachable;
};

inline std::vector<ModelLine> SplitLines(std::string_view bytes) {
  std::vector<ModelLine> lines;
  LineCursor cursor(bytes);
  for (Line l; cursor.Next(l);) {
    ModelLine line;
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

// Counts in `line` the fields it closes and whether text follows the seventh.
inline ModelRecord ReadRecordOnLine(ModelLine& line) {
  ModelRecord r;
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
    *field = line.text.substr(start + 1, text.size());
    ++line.fieldCount;
  }
  line.textAfter = line.fieldCount == 7 && !src.AtEnd();
  r.npc = IsNpcJump(f.jumpLine);
  return r;
}

inline Model ModelConversation(std::string_view bytes) {
  Model c;
  c.lines = SplitLines(bytes);
  for (ModelLine& line : c.lines) {
    if (line.text.empty()) continue;
    const ModelRecord r = ReadRecordOnLine(line);
    if (line.fieldCount > 0) c.records.push_back(r);
  }
  const int n = static_cast<int>(c.records.size());
  const auto number = [&](int j) { return c.records[j].fields.lineNumber; };
  // The editor's lookup: the first record, of the first `upTo`, whose number begins with `text`.
  const auto firstBeginning = [&](std::string_view text, int upTo) {
    for (int j = 0; j < upTo; ++j)
      if (number(j).starts_with(text)) return j;
    return -1;
  };
  const auto firstExactly = [&](std::string_view text) {
    for (int j = 0; j < n; ++j)
      if (number(j) == text) return j;
    return -1;
  };
  c.group.assign(n, -1);
  c.replyCount.assign(n, 0);
  c.target.assign(n, Target{});
  c.foundBy.assign(n, -1);
  int npc = -1;
  for (int i = 0; i < n; ++i) {
    const ModelRecord& r = c.records[i];
    c.foundBy[i] = firstBeginning(r.fields.lineNumber, i + 1);
    if (r.npc) {
      npc = i;
    } else {
      if (npc != -1) ++c.replyCount[npc];
      const std::string_view jump = r.fields.jumpLine;
      const int found = firstBeginning(jump, n);
      c.target[i] = jump == "0" ? Target{TargetKind::End, -1}
                    : found != -1 && number(found) == jump
                        ? Target{TargetKind::Record, found}
                        : Target{TargetKind::Missing, firstExactly(jump)};
    }
    c.group[i] = npc;
  }
  c.reachable.assign(n, false);
  std::vector<int> todo;
  if (n > 0) todo.push_back(0), c.reachable[0] = true;
  while (!todo.empty()) {
    const int r = todo.back();
    todo.pop_back();
    std::vector<int> next;
    if (c.records[r].npc) {
      for (int k = 1; k <= c.replyCount[r]; ++k) next.push_back(r + k);
    } else if (c.target[r].kind == TargetKind::Record) {
      next.push_back(c.target[r].record);
    }
    for (int k : next)
      if (!c.reachable[k]) c.reachable[k] = true, todo.push_back(k);
  }
  return c;
}

// The first place where the conversation read and the model of the same bytes differ, or ""
// when they do not. Views are compared by where they point, not only by what they hold.
inline std::string FirstDifference(const Conversation& got, const Model& want) {
  const auto same = [](std::string_view a, std::string_view b) {
    return a.data() == b.data() && a.size() == b.size();
  };
  if (got.lines.size() != want.lines.size()) return "line count";
  for (std::size_t i = 0; i < got.lines.size(); ++i) {
    const FileLine& a = got.lines[i];
    const ModelLine& b = want.lines[i];
    const std::string at = "line " + std::to_string(i + 1) + ": ";
    if (static_cast<int>(i) + 1 != b.number) return at + "number";
    if (!same(a.Text(), b.text)) return at + "text";
    if (a.end != b.end) return at + "line end";
    if (a.fieldCount != b.fieldCount) return at + "field count";
    if (a.textAfter != b.textAfter) return at + "text after";
  }
  if (got.records.size() != want.records.size()) return "record count";
  const std::vector<char> reachable = Reachable(got);
  for (std::size_t i = 0; i < got.records.size(); ++i) {
    const Record& a = got.records[i];
    const ModelRecord& b = want.records[i];
    const std::string at = "record " + std::to_string(i) + ": ";
    if (a.line != b.line) return at + "line";
    if (a.npc != b.npc) return at + "npc";
    const std::string_view before = i > 0 ? want.records[i - 1].fields.lineNumber : "";
    const std::string_view number = b.fields.lineNumber;
    if (a.descends != (IsDigits(number) && IsDigits(before) && CompareValues(number, before) < 0))
      return at + "descends";
    const std::string_view intCheck = b.fields.intCheck;
    if (a.oddIntCheck != (!intCheck.empty() && !IsWholeNumber(intCheck))) return at + "int check";
    const Fields fields = a.Fields();
    for (std::size_t k = 0; k < std::size(kFieldOrder); ++k) {
      if (!same(fields.*kFieldOrder[k], b.fields.*kFieldOrder[k]) ||
          !same(a.Field(static_cast<int>(k)), b.fields.*kFieldOrder[k]))
        return at + "field " + std::to_string(k);
    }
    if (a.group != want.group[i]) return at + "group";
    if (a.replyCount != want.replyCount[i]) return at + "reply count";
    if (got.target.at(i).kind != want.target[i].kind) return at + "target kind";
    if (got.target[i].record != want.target[i].record) return at + "target record";
    if (got.FoundBy(static_cast<int>(i)) != want.foundBy[i]) return at + "found by";
    if (reachable.at(i) != want.reachable[i]) return at + "reachable";
  }
  if (got.target.size() != want.target.size() || reachable.size() != want.reachable.size()) {
    return "per-record list sizes";
  }
  return "";
}

}  // namespace dlg::test
