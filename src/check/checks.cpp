#include "check/checks.h"

#include <algorithm>

namespace dlg::check {

namespace {

class Findings {
 public:
  void Add(int line, std::string_view check, std::string message) {
    out_.push_back({line, SeverityOf(check), check, std::move(message)});
  }
  void Note(int line, std::string_view check, std::string message) {
    out_.push_back({line, Severity::Note, check, std::move(message)});
  }
  std::vector<Finding> Sorted() {
    const auto before = [](const Finding& a, const Finding& b) {
      return a.line != b.line ? a.line < b.line : a.severity < b.severity;
    };
    // The checks run line by line, so the findings mostly come in order already.
    if (!std::is_sorted(out_.begin(), out_.end(), before)) {
      std::stable_sort(out_.begin(), out_.end(), before);
    }
    return std::move(out_);
  }

 private:
  static Severity SeverityOf(std::string_view check) {
    for (const CheckInfo& c : kChecks) {
      if (c.name == check) return c.severity;
    }
    return Severity::Note;
  }
  std::vector<Finding> out_;
};

void CheckSyntax(const Conversation& c, Findings& f) {
  const auto lastLine = static_cast<int>(c.lines.size());
  for (const FileLine& line : c.lines) {
    const int at = line.number;
    if (line.text.empty()) {
      f.Add(at, "syntax",
            "blank line: the editor stops its list of line numbers here, so no line below it "
            "is listed");
    } else {
      if (line.text.front() == '}') {
        f.Add(at, "syntax",
              std::string("line begins with \"}\": the editor lists no number for it and cannot "
                          "find it by number") +
                  (at == 1 ? ", and shows nothing when the file is loaded" : ""));
      }
      if (line.fieldCount == 0) {
        f.Add(at, "syntax",
              "line has no field closed by \"}\": the editor stops its list of line numbers here "
              "and reads the next line into this one");
      } else if (line.fieldCount < 7) {
        f.Add(at, "syntax",
              "line has " + std::to_string(line.fieldCount) +
                  " of 7 fields: the editor reads the missing fields from the next line");
      } else if (line.textAfter) {
        f.Add(at, "syntax",
              "text after the seventh \"}\": the editor reads it as further fields of this line, "
              "and its list of replies takes it for the next record");
      }
    }
    if (at == lastLine) {
      if (line.end == LineEnd::None) {
        f.Add(at, "final-line-end", "the last line has no CR LF at its end");
      } else if (line.end != LineEnd::CrLf) {
        f.Add(at, "final-line-end",
              std::string("the last line ends with ") + (line.end == LineEnd::Lf ? "LF" : "CR") +
                  " alone, not CR LF");
      }
    } else if (line.end == LineEnd::Lf) {
      f.Add(at, "syntax",
            "line ends with LF alone: the editor reads the next line as part of this record and "
            "cannot find it by its number");
    } else if (line.end == LineEnd::Cr) {
      f.Add(at, "syntax",
            "line ends with CR alone: the editor takes the next byte for the LF, so the next "
            "line loses its first character");
    }
  }
}

// Why a number is not one the editor's text comparison treats as a number, or "".
std::string NumberFault(std::string_view n) {
  if (!IsDigits(n)) return "is not plain decimal digits";
  if (n.size() > 1 && n.front() == '0') return "has a leading zero";
  return "";
}

// Compares plain-digit numbers by value: -1, 0 or 1.
int CompareValues(std::string_view a, std::string_view b) {
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int cmp = a.compare(b);
  return (cmp > 0) - (cmp < 0);
}

bool IsWholeNumber(std::string_view s) {
  if (!s.empty() && s.front() == '-') s.remove_prefix(1);
  return IsDigits(s);
}

// `noted`: the records that already carry a note as the first use of their number.
void CheckNumbers(const Conversation& c, int i, std::vector<bool>& noted, Findings& f) {
  const Record& r = c.records[i];
  const std::string_view n = r.fields.lineNumber;
  const std::string fault = NumberFault(n);
  // A line that begins with "}" is named by the syntax check already.
  const bool braceFirst = n.empty() && c.lines[r.line - 1].text.front() == '}';
  if (!fault.empty() && !braceFirst) {
    f.Add(r.line, "number",
          "line number " + Quoted(n) + " " + fault + ": the editor compares numbers as text");
  }
  if (!r.npc && r.fields.jumpLine != "0") {
    const std::string jumpFault = NumberFault(r.fields.jumpLine);
    if (!jumpFault.empty()) {
      f.Add(r.line, "number",
            "reply " + NumberText(n) + " leads to " + Quoted(r.fields.jumpLine) + ", which " +
                jumpFault + ": the editor compares numbers as text");
    }
  }
  const int found = c.foundBy[i];
  if (n.empty() || found == i) return;
  const Record& first = c.records[found];
  const std::string other = std::to_string(first.line);
  if (first.fields.lineNumber == n) {
    const bool note = !noted[found];  // one note however many times the number comes again
    noted[found] = true;
    f.Add(r.line, "duplicate-number",
          "line number " + NumberText(n) + " is already used on line " + other +
              "; lookups stop there and never reach this record");
    if (note)
      f.Note(first.line, "duplicate-number",
             "line number " + NumberText(n) + " is first used here");
  } else {
    f.Add(r.line, "shadowed-number",
          "line " + NumberText(n) +
              " can never be found: the editor's lookup stops first at line " +
              NumberText(first.fields.lineNumber) + " (on line " + other +
              "), whose number begins with " + NumberText(n));
    f.Note(first.line, "shadowed-number", "the lookup for line " + NumberText(n) + " stops here");
  }
}

void CheckConversation(const Conversation& c, Findings& f) {
  const int n = static_cast<int>(c.records.size());
  std::vector<bool> targeted(c.records.size(), false);
  std::vector<bool> noted(c.records.size(), false);
  for (int i = 0; i < n; ++i) {
    if (c.target[i].record != -1) targeted[c.target[i].record] = true;
  }
  for (int i = 0; i < n; ++i) {
    const Record& r = c.records[i];
    // Named only when there is something to say: most records have no finding.
    const auto num = [&] { return NumberText(r.fields.lineNumber); };
    CheckNumbers(c, i, noted, f);
    if (r.npc) {
      if (!c.reachable[i]) {
        f.Add(r.line, "unreachable",
              "NPC line " + num() + " is never reached from the first record" +
                  (targeted[i] ? "" : ": no reply leads to it"));
      }
      if (c.replyCount[i] == 0)
        f.Add(r.line, "no-replies", "NPC line " + num() + " has no replies after it");
    } else {
      const Target& t = c.target[i];
      const auto to = [&] { return NumberText(r.fields.jumpLine); };
      if (t.kind == TargetKind::Missing && t.record == -1) {
        f.Add(r.line, "missing-target",
              "reply " + num() + " leads to line " + to() + ", which no record has");
      } else if (t.kind == TargetKind::Record && !c.records[t.record].npc) {
        f.Add(r.line, "reply-target",
              "reply " + num() + " leads to line " + to() + ", which is a reply, not an NPC line");
      }
      if (c.group[i] == -1) {
        f.Add(r.line, "orphan-reply",
              "reply " + num() + " stands before the first NPC line: no line offers it");
      }
    }
    if (i > 0) {
      const std::string_view prev = c.records[i - 1].fields.lineNumber;
      if (IsDigits(prev) && IsDigits(r.fields.lineNumber) &&
          CompareValues(r.fields.lineNumber, prev) < 0) {
        f.Add(r.line, "order",
              "line " + num() + " stands after line " + NumberText(prev) + ", a larger number");
      }
    }
    if (!r.fields.intCheck.empty() && !IsWholeNumber(r.fields.intCheck)) {
      f.Add(r.line, "int-check",
            "intelligence check " + Quoted(r.fields.intCheck) + " is not a whole number");
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

std::vector<Finding> RunChecks(const Conversation& c) {
  Findings f;
  CheckSyntax(c, f);
  CheckConversation(c, f);
  return f.Sorted();
}

}  // namespace dlg::check
