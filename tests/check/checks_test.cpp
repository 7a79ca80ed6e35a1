// Every check over exact bytes: what a modder reads for each departure, line by line.

#include "check/checks.h"

#include <gtest/gtest.h>

#include "check/report.h"

namespace dlg::check {
namespace {

// Records joined into a file, each line ended by CR LF.
std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view l : lines) (out += l) += "\r\n";
  return out;
}

std::vector<std::string> Shown(const std::vector<Finding>& findings) {
  std::vector<std::string> out;
  for (const Finding& f : findings) {
    out.push_back(std::to_string(f.line) + ": " + std::string(SeverityName(f.severity)) + ": " +
                  f.message + " [" + std::string(f.check) + "]");
  }
  return out;
}

struct CheckCase {
  const char* name;
  std::string in;
  std::vector<std::string> out;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class ChecksTest : public testing::TestWithParam<CheckCase> {};

TEST_P(ChecksTest, ReportsWhatTheFileHolds) {
  EXPECT_EQ(Shown(CheckDialogue(GetParam().in)), GetParam().out);
}

const std::string kNpc1 = "{1}{Well met.}{}{}{}{}{}";
const std::string kBye = "{2}{Bye.}{}{}{}{0}{}";

INSTANTIATE_TEST_SUITE_P(
    Cases, ChecksTest,
    testing::Values(
        CheckCase{"CleanConversation",
                  Lines({kNpc1, "{2}{Who are you?}{Qui?}{8}{a}{10}{}", "{3}{Bye.}{}{-2}{}{0}{}",
                         "{10}{A smith.}{}{}{}{ }{}", "{11}{Back.}{}{}{}{1}{}"}),
                  {}},
        CheckCase{"MissingTarget",
                  Lines({kNpc1, "{2}{Go.}{}{}{}{15}{}"}),
                  {"2: error: reply 2 leads to line 15, which no record has [missing-target]"}},
        // The lookup stops at 50, the first number beginning with 5.
        CheckCase{
            "LongerNumberIsNoMatch",
            Lines({kNpc1, "{2}{Go.}{}{}{}{5}{}", "{50}{Far.}{}{}{}{}{}", "{51}{Back.}{}{}{}{1}{}"}),
            {"2: error: reply 2 leads to line 5, which no record has [missing-target]",
             "3: warning: NPC line 50 is never reached from the first record: no reply leads "
             "to it [unreachable]"}},
        CheckCase{"Duplicate",
                  Lines({kNpc1, kBye, "{2}{Again.}{}{}{}{0}{}", "{2}{Thrice.}{}{}{}{0}{}"}),
                  {"2: note: line number 2 is first used here [duplicate-number]",
                   "3: error: line number 2 is already used on line 2; lookups stop there and "
                   "never reach this record [duplicate-number]",
                   "4: error: line number 2 is already used on line 2; lookups stop there and "
                   "never reach this record [duplicate-number]"}},
        // "10" stands before "1": the reply to 1 finds nothing, and 1 is never reached.
        CheckCase{"Shadowed",
                  Lines({"{10}{Ten.}{}{}{}{}{}", "{11}{Go.}{}{}{}{1}{}", kNpc1, kBye}),
                  {"1: note: the lookup for line 1 stops here [shadowed-number]",
                   "3: error: line 1 can never be found: the editor's lookup stops first at line "
                   "10 (on line 1), whose number begins with 1 [shadowed-number]",
                   "3: warning: NPC line 1 is never reached from the first record [unreachable]",
                   "3: warning: line 1 stands after line 11, a larger number [order]"}},
        CheckCase{"ReplyLeadsToReply",
                  Lines({kNpc1, "{2}{Go.}{}{}{}{3}{}", "{3}{Bye.}{}{}{}{0}{}"}),
                  {"2: warning: reply 2 leads to line 3, which is a reply, not an NPC line "
                   "[reply-target]"}},
        CheckCase{
            "OrphanReply",
            Lines({"{1}{Hi.}{}{}{}{2}{}", "{2}{Well met.}{}{}{}{}{}", "{3}{Bye.}{}{}{}{0}{}"}),
            {"1: warning: reply 1 stands before the first NPC line: no line offers it "
             "[orphan-reply]"}},
        CheckCase{"NoReplies",
                  Lines({kNpc1, "{2}{Go.}{}{}{}{10}{}", "{10}{The end.}{}{}{}{}{}"}),
                  {"3: warning: NPC line 10 has no replies after it [no-replies]"}},
        CheckCase{"NumbersAsText",
                  Lines({kNpc1, "{2}{Go.}{}{}{}{01}{}", "{ 3}{Or.}{}{}{}{  }{}"}),
                  {"2: error: reply 2 leads to line 01, which no record has [missing-target]",
                   "2: warning: reply 2 leads to \"01\", which has a leading zero: the editor "
                   "compares numbers as text [number]",
                   "3: error: reply \" 3\" leads to line \"  \", which no record has "
                   "[missing-target]",
                   "3: warning: line number \" 3\" is not plain decimal digits: the editor "
                   "compares numbers as text [number]",
                   "3: warning: reply \" 3\" leads to \"  \", which is not plain decimal digits: "
                   "the editor compares numbers as text [number]"}},
        // Bytes of the file pass the Windows-1252 table; control bytes are shown escaped.
        CheckCase{"IntCheckBytes",
                  Lines({kNpc1, "{2}{Go.}{}{\xE9lite}{}{0}{}", "{3}{Or.}{}{8\x1B\"}{}{0}{}"}),
                  {"2: warning: intelligence check \"\xC3\xA9lite\" is not a whole number "
                   "[int-check]",
                   "3: warning: intelligence check \"8\\x1B\\\"\" is not a whole number "
                   "[int-check]"}},
        // A blank line breaks no line group: the reply after it still belongs to line 1.
        CheckCase{"BlankLine",
                  Lines({kNpc1, "", kBye}),
                  {"2: error: blank line: the editor stops its list of line numbers here, so no "
                   "line below it is listed [syntax]"}},
        CheckCase{"LineEnds",
                  kNpc1 + "\n" + kBye + "\r{3}{Or.}{}{}{}{0}{}\n",
                  {"1: error: line ends with LF alone: the editor reads the next line as part of "
                   "this record and cannot find it by its number [syntax]",
                   "2: error: line ends with CR alone: the editor takes the next byte for the LF, "
                   "so the next line loses its first character [syntax]",
                   "3: warning: the last line ends with LF alone, not CR LF [final-line-end]"}},
        CheckCase{"NoFinalLineEnd",
                  kNpc1 + "\r\n" + kBye,
                  {"2: warning: the last line has no CR LF at its end [final-line-end]"}},
        CheckCase{"BrokenRecords",
                  Lines({kNpc1, "{2}{Go.}{}{}{}{0}", "}{Hi.}{}{}{}{1}{}", "just words",
                         "{3}{Or.}{}{}{}{0}{}{4}"}),
                  {"2: error: line has 6 of 7 fields: the editor reads the missing fields from "
                   "the next line [syntax]",
                   "3: error: line begins with \"}\": the editor lists no number for it and "
                   "cannot find it by number [syntax]",
                   "4: error: line has no field closed by \"}\": the editor stops its list of line "
                   "numbers here and reads the next line into this one [syntax]",
                   "5: error: text after the seventh \"}\": the editor reads it as further fields "
                   "of this line, and its list of replies takes it for the next record [syntax]"}},
        CheckCase{"Empty", "", {}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace dlg::check
