// Back and Forward as step rows: the line shown after each, across the commands that go to a
// line, and what they write and show on the way.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kView30 = "30|NPC|Thirty.|Again.|20";
// Load shows 10; Respond goes to 20, "Go to:" to 31, and its "Jump" to 20 again.
const Steps kWalk = {Pick(Replies, 0), Respond, GoTo("31"), FollowJump, Is(LineNumber, "20")};
Step At(const std::string& n) { return Is(LineNumber, n); }

// clang-format off
const Row kRows[] = {
    {"BackAndForwardAcrossRespondAndJump", kTalk,
     kWalk + Steps{Is(CanGoForward, false), GoBack, At("31"), GoBack, At("20"), GoBack, At("10"),
                   Is(CanGoBack, false), GoBack, At("10"), GoForward, At("20"), GoForward,
                   At("31"), GoForward, Is(CanGoForward, false)}, kTwentyView},
    // A new go after Back drops what lay ahead.
    {"ANewGoDropsTheWayAhead", kTalk,
     kWalk + Steps{GoBack, GoBack, GoTo("30"), Is(CanGoForward, false), GoBack}, kTwentyView},
    {"UsedNumbersAndEditResponseAreVisits", kTalk,
     {Pick(UsedNumbers, 4), GoToUsedNumber, At("21"), GoBack, Pick(Replies, 1), EditResponse,
      At("12"), GoBack}, kHailView},
    {"GoTo1IsAVisit", kTalk, {GoTo("30"), GoToFirstLine, GoBack}, kView30},
    {"ALineNotFoundIsNoVisit", kTalk, {GoTo("99"), GoBack, Is(CanGoBack, false)}, kHailView,
     {"none Line does not Exist: Searched entire file: the line 99 does not exist!"}},
    {"SameLineTwiceIsOneVisit", kTalk,
     {GoTo("30"), GoToTypedLine, GoBack, Is(CanGoBack, false)}, kHailView},
    // Back leaves the line as "Go to:" does: written first.
    {"BackWritesTheLineFirst", kTalk, {GoTo("20"), MaleText("X"), GoBack}, kHailView,
     {}, {{"a.dlg.bak", std::string(kTalk).replace(kTalk.find("Twenty."), 7, "X")}}},
    {"ARefusedWriteStaysPut", kTalk, {GoTo("20"), MaleText("a}b"), GoBack, Is(CanGoBack, true)},
     "20|NPC|a}b|Back.|10",
     {"critical Cannot Save Line: The Male Dialogue: field holds a \"}\", which would end the "
      "field early. Remove it and leave the box again; the line was not saved."}},
    // A line gone since is still a place in the history; the lookup says so.
    {"BackToALineGone", kTalk,
     {GoTo("20"), GoTo("30"),
      Write("a.dlg.bak", R("10", "Hail.") + R("30", "Thirty.")), GoBack, GoBack},
     "10|NPC|Hail.||", {"none Line does not Exist: Searched entire file: the line 20 does not "
                        "exist!"}, {{"a.dlg.bak", R("10", "Hail.") + R("30", "Thirty.")}}},
    // A renumbered line is visited under its new number, and Undo gives the old one back.
    {"BackToARenumberedLine", kTalk,
     {GoTo("20"), Input("25"), RenumberLine, GoBack, GoForward, At("25"),
      Undo, GoBack, GoForward, At("20")}, kTwentyView,
     {"yes/no/cancel exclamation Renumber Line: Renumber its replies too? Reply 21 would become "
      "26."}},
    // A view that left the line without a visit of its own goes back to that line first.
    {"BackAfterANewLineGoesWhereItWasAdded", kTalk,
     {GoTo("20"), NewLineNumber("25"), AddLine, MaleText("New"), SaveNewLine,
      GoBack, At("20"), GoBack}, kHailView, {},
     {{"a.dlg.bak", kHail + kTwenty + R("25", "New") + kThirty}}},
    {"BackAfterAReplyToNoLine", R("10", "Hail.") + R("11", "Go on.", "20") + R("20", "T") +
                                    R("21", "Lost.", "50"),
     {Pick(Replies, 0), Respond, Pick(Replies, 0), Respond, GoBack}, "20|NPC|T|Lost.|50",
     {"none Line does not exist: The line 50 does not exist!"}},
    {"UnloadEndsTheVisits", kTalk, kWalk + Steps{Yes, UnloadFile, LoadFile, Is(CanGoBack, false)},
     kHailView, {kUnload}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(BackForward, StepRows, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
