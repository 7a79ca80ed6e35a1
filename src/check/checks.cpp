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
  void Add(int line, const CheckInfo& check, Says says, int record = -1, int other = -1) {
    out_.push_back({line, check.severity, check.name, says, record, other});
  }
  void Note(int line, const CheckInfo& check, Says says, int record) {
    out_.push_back({line, Severity::Note, check.name, says, record, -1});
  }
  std::vector<Problem> Sorted() {
    const auto before = [](const Problem& a, const Problem& b) {
      return a.line != b.line ? a.line < b.line : a.severity < b.severity;
    };
    // The checks run line by line, so the problems mostly come in order already.
    if (!std::is_sorted(out_.begin(), out_.end(), before)) {
      std::stable_sort(out_.begin(), out_.end(), before);
    }
    return std::move(out_);
  }

 private:
  std::vector<Problem> out_;
};

void CheckSyntax(const Conversation& c, Problems& f) {
  const auto lastLine = static_cast<int>(c.lines.size());
  for (int at = 1; at <= lastLine; ++at) {
    const FileLine& line = c.lines[at - 1];
    if (line.Text().empty()) {
      f.Add(at, Check("syntax"), Says::BlankLine);
    } else {
      if (line.Text().front() == '}') {
        f.Add(at, Check("syntax"), Says::BraceFirst);
      }
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
}

// `noted`: the records that already carry a note as the first use of their number.
// `digits`: whether the record's number is plain decimal digits.
void CheckNumbers(const Conversation& c, int i, bool digits, std::vector<bool>& noted,
                  Problems& f) {
  const Record& r = c.records[i];
  const std::string_view n = r.Field(0), jump = r.Field(5);
  // A line that begins with "}" is named by the syntax check already.
  const bool braceFirst = n.empty() && c.lines[r.line - 1].Text().front() == '}';
  if (!NumberFault(n, digits).empty() && !braceFirst) {
    f.Add(r.line, Check("number"), Says::NumberFault, i);
  }
  if (!r.npc && !IsEndJump(jump) && !NumberFault(jump).empty()) {
    f.Add(r.line, Check("number"), Says::JumpFault, i);
  }
  const int found = c.records[i].foundBy;
  if (n.empty() || found == i) return;
  const Record& first = c.records[found];
  if (first.Field(0) == n) {
    const bool note = !noted[found];  // one note however many times the number comes again
    noted[found] = true;
    f.Add(r.line, Check("duplicate-number"), Says::Duplicate, i, found);
    if (note) f.Note(first.line, Check("duplicate-number"), Says::FirstUse, found);
  } else {
    f.Add(r.line, Check("shadowed-number"), Says::Shadowed, i, found);
    f.Note(first.line, Check("shadowed-number"), Says::LookupStops, i);
  }
}

void CheckConversation(const Conversation& c, Problems& f) {
  const int n = static_cast<int>(c.records.size());
  std::vector<bool> targeted(c.records.size(), false);
  std::vector<bool> noted(c.records.size(), false);
  for (int i = 0; i < n; ++i) {
    if (c.target[i].record != -1) targeted[c.target[i].record] = true;
  }
  bool prevDigits = false;
  for (int i = 0; i < n; ++i) {
    const Record& r = c.records[i];
    const std::string_view number = r.Field(0), intCheck = r.Field(3);
    const bool digits = IsDigits(number);
    CheckNumbers(c, i, digits, noted, f);
    if (r.npc) {
      if (!c.reachable[i]) f.Add(r.line, Check("unreachable"), Says::Unreachable, i, targeted[i]);
      if (c.records[i].replyCount == 0) f.Add(r.line, Check("no-replies"), Says::NoReplies, i);
    } else {
      const Target& t = c.target[i];
      if (t.kind == TargetKind::Missing && t.record == -1) {
        f.Add(r.line, Check("missing-target"), Says::MissingTarget, i);
      } else if (t.kind == TargetKind::Record && c.target[t.record].kind != TargetKind::None) {
        // A reply has a target and an NPC line none: the short list tells them apart without a
        // look at a record far away in memory.
        f.Add(r.line, Check("reply-target"), Says::ReplyTarget, i);
      }
      if (c.records[i].group == -1) f.Add(r.line, Check("orphan-reply"), Says::OrphanReply, i);
    }
    if (i > 0 && prevDigits && digits && CompareValues(number, c.records[i - 1].Field(0)) < 0) {
      f.Add(r.line, Check("order"), Says::Order, i, i - 1);
    }
    prevDigits = digits;
    if (!intCheck.empty() && !IsWholeNumber(intCheck)) {
      f.Add(r.line, Check("int-check"), Says::IntCheck, i);
    }
  }
}

}  // namespace

std::optional<std::string_view> FindCheck(std::string_view name) {
  for (const CheckInfo& c : kChecks) {
    if (c.name == name) return c.name;
  }
  return std::nullopt;
}

std::vector<Problem> FindProblems(const Conversation& c) {
  Problems f;
  CheckSyntax(c, f);
  CheckConversation(c, f);
  return f.Sorted();
}

std::vector<Finding> RunChecks(const Conversation& c) {
  const std::vector<Problem> problems = FindProblems(c);
  std::vector<Finding> findings;
  findings.reserve(problems.size());
  for (const Problem& p : problems) {
    Finding& f = findings.emplace_back(Finding{p.line, p.severity, p.check, ProblemMessage(c, p)});
    // Not always p.record: a note on the record that a lookup stops at is about another one.
    if (const int on = RecordOnLine(c, p.line); on >= 0)
      f.record = std::string(c.records[static_cast<std::size_t>(on)].Fields().lineNumber);
  }
  return findings;
}

int RecordOnLine(const Conversation& c, int line) {
  // Records stand in file order, so the one on a line is found by halving.
  const auto at = std::lower_bound(c.records.begin(), c.records.end(), line,
                                   [](const Record& r, int l) { return r.line < l; });
  return at != c.records.end() && at->line == line ? static_cast<int>(at - c.records.begin()) : -1;
}

}  // namespace dlg::check
