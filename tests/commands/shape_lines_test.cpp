// Delete Line and Renumber Line as step rows over real files: the question and refusal boxes
// with their exact texts, the working copy's bytes, the line shown and the used-number list
// after each, and Undo and Redo of both.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const Step kAll = Is(UsedNumbers, "10,11,12,20,21,30,31");
const Steps kAt20 = {GoTo("20")};

std::string Ask(const std::string& question) {
  return "yes/no exclamation Delete Line: " + question;
}
const std::string kAsk10 = Ask("Delete line 10 and its 2 replies? Reply 21 leads to it.");
std::string AskReplies(const std::string& change) {
  return "yes/no/cancel exclamation Renumber Line: Renumber its replies too? " + change + ".";
}
const std::string kReplyTo26 = AskReplies("Reply 21 would become 26");
const std::string kRenumbered = R("10", "Hail.") + R("11", "Go on.", "25") + R("12", "Bye.", "0") +
                                R("25", "Twenty.", " ") + R("21", "Back.", "10") +
                                R("30", "Thirty.") + R("31", "Again.", "25");
const Steps kTo25 = kAt20 + Steps{Input("25"), RenumberLine};
Steps Renumber20To(const std::string& entry) { return kAt20 + Steps{Input(entry), RenumberLine}; }
// An NPC line with twenty replies that all lead to line 40, and line 40.
std::string TwentyRepliesTo(const std::string& target) {
  std::string file = R("10", "A");
  for (int n = 11; n <= 30; ++n) file += R(std::to_string(n), "r", target);
  return file + R(target, "B");
}
// Reply 32 leads to 50, which no record has.
const std::string kLost = kTalk + R("32", "Lost.", "50");
const std::string kTakeOver =
    "yes/no exclamation Renumber Line: Reply 32 leads to line 50, which no record has. It will "
    "lead to this line. Renumber?";
const std::string kExists =
    "critical Line Already Exists: The line already exists, please enter a different number";
const std::string kNotANumber =
    "\" is not a line number. Please enter a whole number in digits "
    "only, without leading zeros.";

// clang-format off
const Row kRows[] = {
    // Delete Line: an NPC line goes with its replies, and Undo and Redo bring them back and take
    // them again. With no record before it, the first line is shown.
    {"DeleteAnNpcLineWithItsReplies", kTalk,
     {Yes, DeleteLine, Is(Copy, kTwenty + kThirty), Is(UsedNumbers, "20,21,30,31"),
      Is(UndoItem, "Delete Line 10"), Undo, Is(Copy, kTalk), Is(LineNumber, "10"), kAll,
      Is(RedoItem, "Delete Line 10"), Redo, Is(UsedNumbers, "20,21,30,31")},
     kTwentyView, {kAsk10}, {{"a.dlg.bak", kTwenty + kThirty}}},
    // The record that stood before it is shown; replies elsewhere that led to it stay.
    {"DeleteShowsTheLineBefore", kTalk, kAt20 + Steps{Yes, DeleteLine}, "12|PC|Bye.||",
     {Ask("Delete line 20 and its 1 reply? Replies 11 and 31 lead to it.")}, {{"a.dlg.bak",
                                                                               kHail + kThirty}}},
    {"DeleteAReplyAlone", kTalk, {GoTo("21"), Yes, DeleteLine},
     "20|NPC|Twenty.||", {Ask("Delete line 21?")},
     {{"a.dlg.bak", kHail + R("20", "Twenty.", " ") + kThirty}}},
    {"DeleteNo", kTalk, {No, DeleteLine, Is(UndoItem, "")}, kHailView, {kAsk10}},
    {"DeleteEveryLineOfTheNumber",
     R("10", "A") + R("11", "a", "20") + R("20", "B") + R("21", "b", "10") + R("20", "C") +
         R("22", "c", "0"),
     kAt20 + Steps{Yes, DeleteLine, Is(UsedNumbers, "10,11")}, "11|PC|a||",
     {Ask("Delete the 2 lines numbered 20 and their 2 replies? Reply 11 leads to them.")},
     {{"a.dlg.bak", R("10", "A") + R("11", "a", "20")}}},
    {"DeleteTheOnlyLine", R("10", "A"), {Yes, DeleteLine, Is(UsedNumbers, "")}, "||||",
     {Ask("Delete line 10?")}, {{"a.dlg.bak", ""}}},
    // A blank line among the replies is no record: it stays, and the list still stops at it.
    {"ABlankLineAmongTheRepliesStays",
     R("5", "Z") + R("10", "A") + R("11", "a", "0") + "\r\n" + R("12", "b", "0") + R("20", "B"),
     {GoTo("10"), Yes, DeleteLine, Is(UsedNumbers, "5")}, "5|NPC|Z||",
     {Ask("Delete line 10 and its 2 replies?")},
     {{"a.dlg.bak", R("5", "Z") + "\r\n" + R("20", "B")}}},
    {"DeleteWritesTheLineFirst", kTalk, {MaleText("X"), No, DeleteLine},
     "10|NPC|X|Go on.,Bye.|20,0", {kAsk10},
     {{"a.dlg.bak", R("10", "X") + kTalk.substr(R("10", "Hail.").size())}}},
    {"DeleteALineNoLongerInTheCopy", kTalk, {Write("a.dlg.bak", kTwenty + kThirty), DeleteLine},
     kHailView, {"critical Cannot Delete Line: The line 10 is not in the working copy. Nothing was "
               "deleted."}, {{"a.dlg.bak", kTwenty + kThirty}}},
    {"NoDeleteInNewLineMode", kTalk, {NewLineNumber("15"), AddLine, DeleteLine},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}},

    // Renumber Line: the record keeps its place, the replies that lead to it follow.
    {"RenumberWithRepliesLeadingToIt", kTalk,
     kTo25 + Steps{Is(Prompt, "Enter the new number for line 20:"), Is(Copy, kRenumbered),
                   Is(UsedNumbers, "10,11,12,25,21,30,31"), Is(UndoItem, "Renumber Line 20 to 25"),
                   Undo, Is(Copy, kTalk), kAll, Is(LineNumber, "20"), Redo},
     "25|NPC|Twenty.|Back.|10", {kReplyTo26}, {{"a.dlg.bak", kRenumbered}}},
    {"RenumberEveryRecordOfTheNumber",
     R("10", "A") + R("11", "a", "20") + R("20", "X") + R("21", "x", "20") + R("20", "Y"),
     kTo25, "25|NPC|X|x|25", {kReplyTo26},
     {{"a.dlg.bak",
       R("10", "A") + R("11", "a", "25") + R("25", "X") + R("21", "x", "25") + R("25", "Y")}}},
    // The lookup of 20 stops at the odd first "}20}", not at the record: the reply keeps its jump.
    {"RenumberWithManyReplies", TwentyRepliesTo("40"),
     {GoTo("40"), Input("45"), RenumberLine, Is(Copy, TwentyRepliesTo("45")),
      Undo, Is(Copy, TwentyRepliesTo("40")), Is(LineNumber, "40"), Redo},
     "45|NPC|B||", {}, {{"a.dlg.bak", TwentyRepliesTo("45")}}},
    {"OnlyRepliesTheLookupLeadsThere",
     R("5", "Z") + "}20}{odd}{}{}{}{}{}\r\n" + R("11", "a", "20") + R("20", "C"), kTo25,
     "25|NPC|C||", {},
     {{"a.dlg.bak", R("5", "Z") + "}20}{odd}{}{}{}{}{}\r\n" + R("11", "a", "20") + R("25", "C")}}},
    {"RenumberWritesTheLineFirst", kTalk,
     {MaleText("X"), Input("5"), RenumberLine, Is(UndoItem, "Renumber Line 10 to 5"), Undo,
      Is(UndoItem, "Edit of Line 10")}, "10|NPC|X|Go on.,Bye.|20,0",
     {AskReplies("Replies 11 and 12 would become 6 and 7")},
     {{"a.dlg.bak", R("10", "X") + kTalk.substr(R("10", "Hail.").size())}}},
    // Refused, each with its box; a Cancel does nothing.
    {"RenumberCancelled", kTalk, kAt20 + Steps{RenumberLine, Is(UndoItem, "")}, kTwentyView, {}},
    {"RenumberToZero", kTalk, Renumber20To("0"), kTwentyView,
     {"none 0 is reserverd: 0 is a Reserved Number and Cannot be Added"}},
    {"RenumberToBlanks", kTalk, Renumber20To("  "), kTwentyView,
     {"none Empty Line Number: Please Enter a Line Number"}},
    {"RenumberToText", kTalk, Renumber20To("abc"), kTwentyView,
     {"critical Not a Line Number: \"abc" + kNotANumber}},
    {"RenumberWithLeadingZeros", kTalk, Renumber20To("025"), kTwentyView,
     {"critical Not a Line Number: \"025" + kNotANumber}},
    {"RenumberToANumberInUse", kTalk, Renumber20To("31"), kTwentyView, {kExists}},
    {"RenumberToItsOwnNumber", kTalk, Renumber20To("20"), kTwentyView, {kExists}},
    // The lookup stops at the first number that begins with the one looked for.
    {"RenumberBehindALongerNumber", R("10", "A") + R("11", "a", "20") + R("150", "F") + R("20", "T"),
     Renumber20To("15"), "20|NPC|T||",
     {"critical Line Number Hidden: A jump to 15 would stop at line 150, which comes first and "
      "whose number begins with 15. Please enter a different number."}},
    {"RenumberInFrontOfAShorterNumber", R("10", "A") + R("11", "a", "20") + R("20", "T"),
     {Input("205"), RenumberLine}, "10|NPC|A|a|20",
     {"critical Line Number Hides Another: A jump to 20 would stop at line 205, which would come "
      "first and whose number begins with 20. Please enter a different number."}},
    {"RenumberALineNoLongerInTheCopy", kTalk,
     kAt20 + Steps{Write("a.dlg.bak", kHail + kThirty), Input("25"), RenumberLine}, kTwentyView,
     {"critical Cannot Renumber Line: The line 20 is not in the working copy. Nothing was "
      "renumbered."}, {{"a.dlg.bak", kHail + kThirty}}},
    // Replies that lead nowhere would lead to the line renumbered: asked first.
    {"RenumberOntoANumberRepliesLeadTo", kLost, kAt20 + Steps{Yes, Input("50"), RenumberLine},
     "50|NPC|Twenty.|Back.|10", {kTakeOver, AskReplies("Reply 21 would become 51")},
     {{"a.dlg.bak", R("10", "Hail.") + R("11", "Go on.", "50") + R("12", "Bye.", "0") +
                        R("50", "Twenty.", " ") + R("21", "Back.", "10") + R("30", "Thirty.") +
                        R("31", "Again.", "50") + R("32", "Lost.", "50")}}},
    {"RenumberOntoANumberRepliesLeadToAnsweredNo", kLost,
     kAt20 + Steps{No, Input("50"), RenumberLine, Is(UndoItem, "")}, kTwentyView, {kTakeOver}},
    // Its replies too, keeping their offsets, in one step that one Undo takes back.
    {"RenumberWithItsReplies", kTalk,
     {Yes, Input("40"), RenumberLine, Is(UsedNumbers, "40,41,42,20,21,30,31"),
      Is(UndoItem, "Renumber Line 10 to 40 with Its Replies"), Undo, Is(Copy, kTalk), kAll, Redo},
     "40|NPC|Hail.|Go on.,Bye.|20,0", {AskReplies("Replies 11 and 12 would become 41 and 42")},
     {{"a.dlg.bak", R("40", "Hail.") + R("41", "Go on.", "20") + R("42", "Bye.", "0") +
                        R("20", "Twenty.", " ") + R("21", "Back.", "40") + kThirty}}},
    {"RenumberRepliesOntoAUsedNumber", kTalk, {Yes, Input("29"), RenumberLine, Is(UndoItem, "")},
     kHailView, {AskReplies("Replies 11 and 12 would become 30 and 31"),
               "critical Line Already Exists: The line 30 already exists, so reply 11 cannot "
               "become 30. Please enter a different number."}},
    {"RenumberRepliesCancelled", kTalk, {Cancel, Input("40"), RenumberLine, Is(Copy, kTalk)},
     kHailView, {AskReplies("Replies 11 and 12 would become 41 and 42")}},
    {"NoRenumberInNewLineMode", kTalk, {NewLineNumber("15"), AddLine, RenumberLine, Is(Prompt, "")},
     "15|[NPC]|||" "|Save New Line|no Go to 1", {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(ShapeLines, StepRows, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
