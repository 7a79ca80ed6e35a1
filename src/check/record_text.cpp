#include "check/record_text.h"

#include "check/joined.h"
#include "dialogue/number_rules.h"
#include "dialogue/quoted_text.h"

namespace dlg::check {

namespace {

void Field(std::string& out, std::string_view name, std::string_view bytes) {
  if (!bytes.empty()) out += Joined("  ", name, ": ", VisibleText(bytes), "\n");
}

std::string Number(std::string_view number) {
  return number.empty() ? "(no number)" : VisibleText(number);
}

// Where field `k` (from 1) ends: past the k-th "}" of its line, since each "}" closes one field,
// the opener of an empty field too.
std::size_t PastClose(std::string_view text, int k) {
  std::size_t at = 0;
  for (int i = 0; i < k; ++i) at = text.find('}', at) + 1;
  return at;
}

void AppendRecord(std::string& out, const Record& r, const FileLine& line) {
  const Fields& f = r.Fields();
  if (r.npc) {
    if (!out.empty()) out += '\n';
    out += Number(f.lineNumber) + " NPC";
  } else {
    out += Joined(Number(f.lineNumber), " PC -> ", VisibleText(f.jumpLine),
                  IsEndJump(f.jumpLine) ? " (end)" : "");
  }
  if (line.fieldCount < 7) out += " (" + std::to_string(line.fieldCount) + " of 7 fields)";
  out += '\n';
  Field(out, "male", f.maleText);
  Field(out, "female", f.femaleText);
  Field(out, "int", f.intCheck);
  Field(out, "if", f.conditionFlags);
  Field(out, "runs", f.executionFlags);
  const std::string_view text = line.Text();
  const std::string_view rest = text.substr(PastClose(text, line.fieldCount));
  if (line.fieldCount < 7) {
    // The line ends inside a field: its text after the opener, all the same a change to show.
    Field(out, "unclosed", rest.substr(rest.empty() ? 0 : 1));
  } else if (line.textAfter) {
    Field(out, "after", rest);
  }
}

}  // namespace

std::string RecordText(const Conversation& c) {
  std::string out;
  std::size_t next = 0;  // the next record, by the line it stands on
  for (int number = 1; number <= static_cast<int>(c.lines.size()); ++number) {
    const FileLine& line = c.lines[number - 1];
    if (next < c.records.size() && c.records[next].line == number) {
      AppendRecord(out, c.records[next++], line);
    } else if (line.Text().empty()) {
      out += "file line " + std::to_string(number) + ": blank\n";
    } else {
      out += Joined("file line ", std::to_string(number), ": no record: ", VisibleText(line.Text()),
                    "\n");
    }
  }
  return out;
}

}  // namespace dlg::check
