#include "check/checks.h"

#include <algorithm>

namespace dlg::check {

namespace {

// A check by its name, looked up when the program is compiled.
consteval const CheckInfo& Check(std::string_view name) {
  for (const CheckInfo& c : kChecks) {
    if (c.name == name) return c;
  }
  throw "no such check";
}

// The pieces of a message joined in one allocation: a broken file has a finding for most of its
// records, and a view lists them all.
template <std::size_t N>
constexpr std::string_view Piece(const char (&literal)[N]) {
  return {literal, N - 1};  // its size known when compiled, not counted at run time
}
std::string_view Piece(std::string_view text) { return text; }

template <typename... Pieces>
std::string Cat(const Pieces&... pieces) {
  std::string out;
  out.reserve((Piece(pieces).size() + ...));
  (out.append(Piece(pieces)), ...);
  return out;
}

class Findings {
 public:
  void Add(int line, const CheckInfo& check, std::string message) {
    out_.push_back({line, check.severity, check.name, std::move(message)});
  }
  void Note(int line, const CheckInfo& check, std::string message) {
    out_.push_back({line, Severity::Note, check.name, std::move(message)});
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
  std::vector<Finding> out_;
};

void CheckSyntax(const Conversation& c, Findings& f) {
  const auto lastLine = static_cast<int>(c.lines.size());
  for (const FileLine& line : c.lines) {
    const int at = line.number;
    if (line.text.empty()) {
      f.Add(at, Check("syntax"),
            "blank line: the editor stops its list of line numbers here, so no line below it "
            "is listed");
    } else {
      if (line.text.front() == '}') {
        f.Add(at, Check("syntax"),
              std::string("line begins with \"}\": the editor lists no number for it and cannot "
                          "find it by number") +
                  (at == 1 ? ", and shows nothing when the file is loaded" : ""));
      }
      if (line.fieldCount == 0) {
        f.Add(at, Check("syntax"),
              "line has no field closed by \"}\": the editor stops its list of line numbers here "
              "and reads the next line into this one");
      } else if (line.fieldCount < 7) {
        f.Add(at, Check("syntax"),
              "line has " + std::to_string(line.fieldCount) +
                  " of 7 fields: the editor reads the missing fields from the next line");
      } else if (line.textAfter) {
        f.Add(at, Check("syntax"),
              "text after the seventh \"}\": the editor reads it as further fields of this line, "
              "and its list of replies takes it for the next record");
      }
    }
    if (at == lastLine) {
      if (line.end == LineEnd::None) {
        f.Add(at, Check("final-line-end"), "the last line has no CR LF at its end");
      } else if (line.end != LineEnd::CrLf) {
        f.Add(at, Check("final-line-end"),
              std::string("the last line ends with ") + (line.end == LineEnd::Lf ? "LF" : "CR") +
                  " alone, not CR LF");
      }
    } else if (line.end == LineEnd::Lf) {
      f.Add(at, Check("syntax"),
            "line ends with LF alone: the editor reads the next line as part of this record and "
            "cannot find it by its number");
    } else if (line.end == LineEnd::Cr) {
      f.Add(at, Check("syntax"),
            "line ends with CR alone: the editor takes the next byte for the LF, so the next "
            "line loses its first character");
    }
  }
}

// Why a number is not one the editor's text comparison treats as a number, or "".
std::string_view NumberFault(std::string_view n) {
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
  const std::string_view fault = NumberFault(n);
  // A line that begins with "}" is named by the syntax check already.
  const bool braceFirst = n.empty() && c.lines[r.line - 1].text.front() == '}';
  if (!fault.empty() && !braceFirst) {
    f.Add(r.line, Check("number"),
          Cat("line number ", Quoted(n), " ", fault, ": the editor compares numbers as text"));
  }
  if (!r.npc && r.fields.jumpLine != "0") {
    const std::string_view jumpFault = NumberFault(r.fields.jumpLine);
    if (!jumpFault.empty()) {
      f.Add(r.line, Check("number"),
            Cat("reply ", NumberText(n), " leads to ", Quoted(r.fields.jumpLine), ", which ",
                jumpFault, ": the editor compares numbers as text"));
    }
  }
  const int found = c.foundBy[i];
  if (n.empty() || found == i) return;
  const Record& first = c.records[found];
  const std::string other = std::to_string(first.line);
  if (first.fields.lineNumber == n) {
    const bool note = !noted[found];  // one note however many times the number comes again
    noted[found] = true;
    f.Add(r.line, Check("duplicate-number"),
          Cat("line number ", NumberText(n), " is already used on line ", other,
              "; lookups stop there and never reach this record"));
    if (note)
      f.Note(first.line, Check("duplicate-number"),
             Cat("line number ", NumberText(n), " is first used here"));
  } else {
    f.Add(
        r.line, Check("shadowed-number"),
        Cat("line ", NumberText(n), " can never be found: the editor's lookup stops first at line ",
            NumberText(first.fields.lineNumber), " (on line ", other,
            "), whose number begins with ", NumberText(n)));
    f.Note(first.line, Check("shadowed-number"),
           Cat("the lookup for line ", NumberText(n), " stops here"));
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
        f.Add(r.line, Check("unreachable"),
              Cat("NPC line ", num(), " is never reached from the first record",
                  targeted[i] ? "" : ": no reply leads to it"));
      }
      if (c.replyCount[i] == 0)
        f.Add(r.line, Check("no-replies"), Cat("NPC line ", num(), " has no replies after it"));
    } else {
      const Target& t = c.target[i];
      const auto to = [&] { return NumberText(r.fields.jumpLine); };
      if (t.kind == TargetKind::Missing && t.record == -1) {
        f.Add(r.line, Check("missing-target"),
              Cat("reply ", num(), " leads to line ", to(), ", which no record has"));
      } else if (t.kind == TargetKind::Record && c.target[t.record].kind != TargetKind::None) {
        // A reply has a target and an NPC line none: the short list tells them apart without a
        // look at a record far away in memory.
        f.Add(r.line, Check("reply-target"),
              Cat("reply ", num(), " leads to line ", to(), ", which is a reply, not an NPC line"));
      }
      if (c.group[i] == -1) {
        f.Add(r.line, Check("orphan-reply"),
              Cat("reply ", num(), " stands before the first NPC line: no line offers it"));
      }
    }
    if (i > 0) {
      const std::string_view prev = c.records[i - 1].fields.lineNumber;
      if (IsDigits(prev) && IsDigits(r.fields.lineNumber) &&
          CompareValues(r.fields.lineNumber, prev) < 0) {
        f.Add(r.line, Check("order"),
              Cat("line ", num(), " stands after line ", NumberText(prev), ", a larger number"));
      }
    }
    if (!r.fields.intCheck.empty() && !IsWholeNumber(r.fields.intCheck)) {
      f.Add(r.line, Check("int-check"),
            Cat("intelligence check ", Quoted(r.fields.intCheck), " is not a whole number"));
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
