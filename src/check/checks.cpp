#include "check/checks.h"

#include <algorithm>

#include "dialogue/number_rules.h"

namespace dlg::check {

namespace {

using Says = Problem::Says;

// A check by its name, looked up when the program is compiled.
consteval const CheckInfo& Check(std::string_view name) {
  for (const CheckInfo& c : kChecks) {
    if (c.name == name) return c;
  }
  throw "no such check";
}

class Problems {
 public:
  // Most files have a few problems, some one a record or more: room for one a line is reserved
  // (and touched only when used), so that such a file's list is not copied as it grows.
  explicit Problems(std::size_t lines) { out_.reserve(lines); }
  [[gnu::always_inline]] void Add(int line, const CheckInfo& check, Says says, int record = -1,
                                  int other = -1) {
    Put(line, check.severity, check, says, record, other);
  }
  void Note(int line, const CheckInfo& check, Says says, int record) {
    Put(line, Severity::Note, check, says, record, -1);
  }
  // Set in place, member by member: a problem made whole on the stack and copied would be read
  // back before its parts have been written (views_bench, BM_ProblemsShown).
  [[gnu::always_inline]] void Put(int line, Severity severity, const CheckInfo& check, Says says,
                                  int record, int other) {
    // The checks run line by line, so the problems mostly come in order already.
    sorted_ = sorted_ && (line > last_.line || (line == last_.line && severity >= last_.severity));
    last_ = {line, severity};
    Problem& p = out_.emplace_back();
    p.line = line;
    p.severity = severity;
    p.check = static_cast<std::uint8_t>(&check - kChecks.data());
    p.says = says;
    p.record = record;
    p.other = other;
  }

  std::vector<Problem> Sorted() {
    const auto before = [](const Problem& a, const Problem& b) {
      return a.line != b.line ? a.line < b.line : a.severity < b.severity;
    };
    if (!sorted_) std::stable_sort(out_.begin(), out_.end(), before);
    return std::move(out_);
  }

 private:
  std::vector<Problem> out_;
  bool sorted_ = true;
  struct {
    int line;
    Severity severity;
  } last_{0, Severity::Error};
};

// Whether a line that holds a record begins with "}": its first field is closed by it. Read from
// the record, which the checks read anyway, rather than from the text far away in memory.
bool BraceFirst(const Record& r) {
  return r.longLine ? reinterpret_cast<const LongLine*>(r.start)->text.front() == '}'
                    : r.close[0] == 0;
}

void CheckLine(const FileLine& line, int at, int lastLine, const Record* r, Problems& f) {
  if (line.size == 0) {
    f.Add(at, Check("syntax"), Says::BlankLine);
  } else {
    // A line without a field does not begin with "}".
    if (r != nullptr && BraceFirst(*r)) f.Add(at, Check("syntax"), Says::BraceFirst);
    if (line.fieldCount == 0) {
      f.Add(at, Check("syntax"), Says::NoField);
    } else if (line.fieldCount < 7) {
      f.Add(at, Check("syntax"), Says::SomeFields);
    } else if (line.textAfter) {
      f.Add(at, Check("syntax"), Says::TextAfter);
    }
  }
  if (at == lastLine) {
    if (line.end == LineEnd::None) {
      f.Add(at, Check("final-line-end"), Says::NoFinalEnd);
    } else if (line.end != LineEnd::CrLf) {
      f.Add(at, Check("final-line-end"), Says::FinalEndAlone);
    }
  } else if (line.end == LineEnd::Lf) {
    f.Add(at, Check("syntax"), Says::LfAlone);
  } else if (line.end == LineEnd::Cr) {
    f.Add(at, Check("syntax"), Says::CrAlone);
  }
}

// What the checks know of each record beyond the record itself, a bit each in one byte: a walk
// of the records reaches it (as Reachable says, 0 or 1), a reply leads to it, it already carries
// the note of the first use of its number.
enum Mark : char { kReached = 1, kTargeted = 2, kNoted = 4 };

void CheckNumbers(const Conversation& c, int i, std::vector<char>& marks, Problems& f) {
  const Record& r = c.records[i];
  const std::string_view n = r.Field(0), jump = r.Field(5);
  // A line that begins with "}" is named by the syntax check already.
  const bool braceFirst = n.empty() && BraceFirst(r);
  if (!r.plainNumbers) {
    if (!NumberFault(n).empty() && !braceFirst) {
      f.Add(r.line, Check("number"), Says::NumberFault, i);
    }
    if (!r.npc && !IsEndJump(jump) && !NumberFault(jump).empty()) {
      f.Add(r.line, Check("number"), Says::JumpFault, i);
    }
  }
  const int found = c.FoundBy(i);
  if (n.empty() || found == i) return;
  const Record& first = c.records[found];
  if (first.Field(0) == n) {
    const bool note = (marks[found] & kNoted) == 0;  // one note however often the number comes
    marks[found] |= kNoted;
    f.Add(r.line, Check("duplicate-number"), Says::Duplicate, i, found);
    if (note) f.Note(first.line, Check("duplicate-number"), Says::FirstUse, found);
  } else {
    f.Add(r.line, Check("shadowed-number"), Says::Shadowed, i, found);
    f.Note(first.line, Check("shadowed-number"), Says::LookupStops, i);
  }
}

// The checks of the records, one after another in file order.
class RecordChecks {
 public:
  explicit RecordChecks(const Conversation& c) : c_(c), marks_(Reachable(c)) {
    for (const Target& t : c.target)
      if (t.record != -1) marks_[t.record] |= kTargeted;
  }

  void Check(int i, Problems& f) {
    const Record& r = c_.records[i];
    CheckNumbers(c_, i, marks_, f);
    if (r.npc) {
      if ((marks_[i] & kReached) == 0)
        f.Add(r.line, check::Check("unreachable"), Says::Unreachable, i,
              (marks_[i] & kTargeted) != 0);
      if (r.replyCount == 0) f.Add(r.line, check::Check("no-replies"), Says::NoReplies, i);
    } else {
      const Target& t = c_.target[i];
      if (t.kind == TargetKind::Missing && t.record == -1) {
        f.Add(r.line, check::Check("missing-target"), Says::MissingTarget, i);
      } else if (t.kind == TargetKind::Record && c_.target[t.record].kind != TargetKind::None) {
        // A reply has a target and an NPC line none: the short list tells them apart without a
        // look at a record far away in memory.
        f.Add(r.line, check::Check("reply-target"), Says::ReplyTarget, i);
      }
      if (r.group == -1) f.Add(r.line, check::Check("orphan-reply"), Says::OrphanReply, i);
    }
    // The order and the intelligence check as the read found them, with the bytes at hand.
    if (r.descends) f.Add(r.line, check::Check("order"), Says::Order, i, i - 1);
    if (r.oddIntCheck) f.Add(r.line, check::Check("int-check"), Says::IntCheck, i);
  }

 private:
  const Conversation& c_;
  std::vector<char> marks_;
};

}  // namespace

std::optional<std::string_view> FindCheck(std::string_view name) {
  for (const CheckInfo& c : kChecks) {
    if (c.name == name) return c.name;
  }
  return std::nullopt;
}

std::vector<Problem> FindProblems(const Conversation& c) {
  Problems f(c.lines.size());
  RecordChecks records(c);
  // Line by line, each line's record checked after the line: the problems of a line come in the
  // order of the checks, and the records are read once.
  const auto lastLine = static_cast<int>(c.lines.size());
  int next = 0;  // the record on the next line that holds one
  for (int at = 1; at <= lastLine; ++at) {
    const FileLine& line = c.lines[at - 1];
    const Record* r = line.fieldCount != 0 ? &c.records[next] : nullptr;
    CheckLine(line, at, lastLine, r, f);
    if (r == nullptr) continue;
    records.Check(next++, f);
  }
  return f.Sorted();
}

std::vector<Finding> RunChecks(const Conversation& c) {
  const std::vector<Problem> problems = FindProblems(c);
  std::vector<Finding> findings;
  findings.reserve(problems.size());
  for (const Problem& p : problems) findings.push_back(FindingOf(c, p));
  return findings;
}

Finding FindingOf(const Conversation& c, const Problem& p) {
  Finding f{p.line, p.severity, p.Check(), ProblemMessage(c, p)};
  // Not always p.record: a note on the record that a lookup stops at is about another one.
  NameRecordOnLine(c, f);
  return f;
}

void NameRecordOnLine(const Conversation& c, Finding& f) {
  if (const int on = RecordOnLine(c, f.line); on >= 0)
    f.record = std::string(c.records[static_cast<std::size_t>(on)].Fields().lineNumber);
}

int RecordOnLine(const Conversation& c, int line) {
  // Records stand in file order, so the one on a line is found by halving.
  const auto at = std::lower_bound(c.records.begin(), c.records.end(), line,
                                   [](const Record& r, int l) { return r.line < l; });
  return at != c.records.end() && at->line == line ? static_cast<int>(at - c.records.begin()) : -1;
}

}  // namespace dlg::check
