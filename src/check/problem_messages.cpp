// The message of each kind of problem: made for every finding by RunChecks, and for a row of a
// view when the row is shown.

#include <string>

#include "check/checks.h"
#include "check/joined.h"
#include "dialogue/number_rules.h"

namespace dlg::check {

namespace {

std::string LineMessage(const FileLine& line, int number, Problem::Says says) {
  using Says = Problem::Says;
  switch (says) {
    case Says::BlankLine:
      return "blank line: the editor stops its list of line numbers here, so no line below it "
             "is listed";
    case Says::BraceFirst:
      return Joined(
          "line begins with \"}\": the editor lists no number for it and cannot find it "
          "by number",
          number == 1 ? ", and shows nothing when the file is loaded" : "");
    case Says::NoField:
      return "line has no field closed by \"}\": the editor stops its list of line numbers here "
             "and reads the next line into this one";
    case Says::SomeFields:
      return Joined("line has ", std::to_string(line.fieldCount),
                    " of 7 fields: the editor reads the missing fields from the next line");
    case Says::TextAfter:
      return "text after the seventh \"}\": the editor reads it as further fields of this line, "
             "and its list of replies takes it for the next record";
    case Says::NoFinalEnd:
      return "the last line has no CR LF at its end";
    case Says::FinalEndAlone:
      return Joined("the last line ends with ", line.end == LineEnd::Lf ? "LF" : "CR",
                    " alone, not CR LF");
    case Says::LfAlone:
      return "line ends with LF alone: the editor reads the next line as part of this record and "
             "cannot find it by its number";
    case Says::CrAlone:
      return "line ends with CR alone: the editor takes the next byte for the LF, so the next "
             "line loses its first character";
    default:
      return {};
  }
}

std::string RecordMessage(const Conversation& c, const Problem& p) {
  using Says = Problem::Says;
  const Fields& f = c.records[p.record].Fields();
  const std::string num = NumberText(f.lineNumber);
  switch (p.says) {
    case Says::NumberFault:
      return Joined("line number ", Quoted(f.lineNumber), " ", NumberFault(f.lineNumber),
                    ": the editor compares numbers as text");
    case Says::JumpFault:
      return Joined("reply ", num, " leads to ", Quoted(f.jumpLine), ", which ",
                    NumberFault(f.jumpLine), ": the editor compares numbers as text");
    case Says::Duplicate:
      return Joined("line number ", num, " is already used by the record on file line ",
                    std::to_string(c.records[p.other].line),
                    "; lookups stop there and never reach this record");
    case Says::FirstUse:
      return Joined("line number ", num, " is first used here");
    case Says::Shadowed: {
      const Record& first = c.records[p.other];
      return Joined("line ", num, " can never be found: the editor's lookup stops first at line ",
                    NumberText(first.Fields().lineNumber), " (on line ", std::to_string(first.line),
                    "), whose number begins with ", num);
    }
    case Says::LookupStops:
      return Joined("the lookup for line ", num, " stops here");
    case Says::Unreachable:
      return Joined("NPC line ", num, " is never reached from the first record",
                    p.other == 1 ? "" : ": no reply leads to it");
    case Says::NoReplies:
      return Joined("NPC line ", num, " has no replies after it");
    case Says::MissingTarget:
      return Joined("reply ", num, " leads to line ", NumberText(f.jumpLine),
                    ", which no record has");
    case Says::ReplyTarget:
      return Joined("reply ", num, " leads to line ", NumberText(f.jumpLine),
                    ", which is a reply, not an NPC line");
    case Says::OrphanReply:
      return Joined("reply ", num, " stands before the first NPC line: no line offers it");
    case Says::Order:
      return Joined("line ", num, " stands after line ",
                    NumberText(c.records[p.other].Fields().lineNumber), ", a larger number");
    case Says::IntCheck:
      return Joined("intelligence check ", Quoted(f.intCheck), " is not a whole number");
    default:
      return {};
  }
}

}  // namespace

std::string ProblemMessage(const Conversation& c, const Problem& p) {
  if (p.record == -1) return LineMessage(c.lines[p.line - 1], p.line, p.says);
  return RecordMessage(c, p);
}

}  // namespace dlg::check
