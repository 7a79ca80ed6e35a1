// Back and Forward as step rows: the line shown after each, across the commands that go to a
// line, and what they write and show on the way.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kOld = R("10", "Hail.") + R("11", "Go on.", "20") + R("12", "Bye.", "0") +
                         R("20", "Twenty.", " ") + R("21", "Back.", "10") + R("30", "Thirty.") +
                         R("31", "Again.", "20");
const std::string kView10 = "10|NPC|Hail.|Go on.,Bye.|20,0", kView20 = "20|NPC|Twenty.|Back.|10";
const std::string kView30 = "30|NPC|Thirty.|Again.|20";
// Load shows 10; Respond goes to 20, "Go to:" to 31, and its "Jump" to 20 again.
const Strings kWalk = {"replies#0", "Respond", "goToNumber=31", "Go to:", "Jump", "?lineNumber=20"};
const std::string kAt = "?lineNumber=";

// clang-format off
const Row kRows[] = {
    {"BackAndForwardAcrossRespondAndJump", kOld,
     kWalk + Strings{"?forward=no", "Back", kAt + "31", "Back", kAt + "20", "Back", kAt + "10",
                     "?back=no", "Back", kAt + "10", "Forward", kAt + "20", "Forward", kAt + "31",
                     "Forward", "?forward=no"},
     kView20},
    // A new go after Back drops what lay ahead.
    {"ANewGoDropsTheWayAhead", kOld,
     kWalk + Strings{"Back", "Back", "goToNumber=30", "Go to:", "?forward=no", "Back"}, kView20},
    {"UsedNumbersAndEditResponseAreVisits", kOld,
     {"usedNumbers#4", "Go to number", kAt + "21", "Back", "replies#1", "Edit Response",
      kAt + "12", "Back"}, kView10},
    {"GoTo1IsAVisit", kOld, {"goToNumber=30", "Go to:", "Go to 1", "Back"}, kView30},
    {"ALineNotFoundIsNoVisit", kOld, {"goToNumber=99", "Go to:", "Back", "?back=no"}, kView10,
     {"none Line does not Exist: Searched entire file: the line 99 does not exist!"}},
    {"SameLineTwiceIsOneVisit", kOld,
     {"goToNumber=30", "Go to:", "Go to:", "Back", "?back=no"}, kView10},
    // Back leaves the line as "Go to:" does: written first.
    {"BackWritesTheLineFirst", kOld, {"goToNumber=20", "Go to:", "maleText=X", "Back"}, kView10,
     {}, {{"a.dlg.bak", std::string(kOld).replace(kOld.find("Twenty."), 7, "X")}}},
    {"ARefusedWriteStaysPut", kOld, {"goToNumber=20", "Go to:", "maleText=a}b", "Back", "?back=yes"},
     "20|NPC|a}b|Back.|10",
     {"critical Cannot Save Line: The Male Dialogue: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},
    // A line gone since is still a place in the history; the lookup says so.
    {"BackToALineGone", kOld,
     {"goToNumber=20", "Go to:", "goToNumber=30", "Go to:",
      "write:a.dlg.bak=" + R("10", "Hail.") + R("30", "Thirty."), "Back", "Back"},
     "10|NPC|Hail.||", {"none Line does not Exist: Searched entire file: the line 20 does not "
                        "exist!"}, {{"a.dlg.bak", R("10", "Hail.") + R("30", "Thirty.")}}},
    // A renumbered line is visited under its new number, and Undo gives the old one back.
    {"BackToARenumberedLine", kOld,
     {"goToNumber=20", "Go to:", "input:25", "Renumber Line", "Back", "Forward", kAt + "25",
      "Undo", "Back", "Forward", kAt + "20"}, kView20,
     {"yes/no/cancel exclamation Renumber Line: Renumber its replies too? Reply 21 would become "
      "26."}},
    // A view that left the line without a visit of its own goes back to that line first.
    {"BackAfterANewLineGoesWhereItWasAdded", kOld,
     {"goToNumber=20", "Go to:", "newLineNumber=25", "Add Line", "maleText=New", "Save New Line",
      "Back", kAt + "20", "Back"}, kView10, {},
     {{"a.dlg.bak", R("10", "Hail.") + R("11", "Go on.", "20") + R("12", "Bye.", "0") +
                        R("20", "Twenty.", " ") + R("21", "Back.", "10") + R("25", "New") +
                        R("30", "Thirty.") + R("31", "Again.", "20")}}},
    {"BackAfterAReplyToNoLine", R("10", "Hail.") + R("11", "Go on.", "20") + R("20", "T") +
                                    R("21", "Lost.", "50"),
     {"replies#0", "Respond", "replies#0", "Respond", "Back"}, "20|NPC|T|Lost.|50",
     {"none Line does not exist: The line 50 does not exist!"}},
    {"UnloadEndsTheVisits", kOld, kWalk + Strings{"Yes", "Unload File", "Load File", "?back=no"},
     kView10, {"yes/no none Unload?: Really unload DIR/a.dlg?"}},
};
// clang-format on

class BackForward : public testing::TestWithParam<Row> {};
TEST_P(BackForward, ShowBoxesAndBytes) { RunRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Rows, BackForward, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
