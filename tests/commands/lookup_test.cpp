// One table of targets and the line each shows, run through every command that looks a line up
// ("Go to:", "Jump", the used-number list, Respond, "Edit Response"), each with its own boxes;
// then new-line mode and "Go to 1" as step rows; then the first-record read of Load File over
// exact bytes, field by field. The used-number scan is fuzz/used_numbers_fuzz.cpp's.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/session.h"

namespace dlg::test {
namespace {

// 1 NPC with response 2 (male and female rows) to 10; 10 NPC with response 11 to the end; 50.
const std::string kNumbered =
    "{1}{Hail.}{}{}{}{}{}\r\n"
    "{2}{Who?}{Qui?}{5}{c}{10}{x}\r\n"
    "{10}{Ten.}{}{}{}{ }{}\r\n"
    "{11}{Bye.}{}{}{}{0}{}\r\n"
    "{50}{Fifty.}{}{}{}{}{}\r\n";
const std::string kFirst = "1|NPC|Hail.|Who?,Qui?|10,10", kEmpty = "||||";
const std::string kTen = "10|NPC|Ten.|Bye.|0";
const std::string kNoCopy = "(no working copy)";

// How a lookup ends when it finds nothing to show.
enum class Miss { None, EmptyTarget, Missing, Longer, EndInNumber, EndAfterOpener, Unreadable };

struct Target {
  const char* name;
  std::string target, copy, view;
  Miss miss;
};
void PrintTo(const Target& t, std::ostream* os) { *os << t.name << " \"" << t.target << '"'; }

// clang-format off
const Target kTargets[] = {
    {"Line1", "1", kNumbered, kFirst, Miss::None},
    {"Line10", "10", kNumbered, kTen, Miss::None},
    {"PcLine", "11", kNumbered, "11|PC|Bye.||", Miss::None},  // a PC line lists no responses
    {"EndOfDialog", "0", kNoCopy, "||-END OF DIALOG-||", Miss::None},  // the copy is not read
    {"NothingSelected", "", kNumbered, kFirst, Miss::EmptyTarget},  // the line stays shown
    {"Missing", "3", kNumbered, kEmpty, Miss::Missing},
    {"LeadingZero", "01", kNumbered, kEmpty, Miss::Missing},  // numbers are text
    {"PrefixOfFifty", "5", kNumbered, kEmpty, Miss::Longer},  // stops at the first longer number
    {"LongerFirst", "1", "{10}{a}{}{}{}{}{}\r\n{1}{b}{}{}{}{}{}\r\n", kEmpty, Miss::Longer},
    {"AfterBlankLine", "2", "{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n", "2|NPC|b||", Miss::None},
    {"AfterLfOnlyLines", "3", "{1}{a}\n{2}{b}\r\n{3}{c}{}{}{}{}{}\r\n", "3|NPC|c||", Miss::None},
    {"CutInNumber", "123", "{1}{a}{}{}{}{ }{}\r\n{12", kEmpty, Miss::EndInNumber},
    {"OnlyAnOpener", "4", "{", kEmpty, Miss::EndAfterOpener},
    {"Unreadable", "1", kNoCopy, kEmpty, Miss::Unreadable},
};
// clang-format on

enum class Messages { Standard, Respond, EditResponse };
struct Command {
  const char* name;
  // Puts the target where the command takes it from; "" stands for no row selected.
  void (*place)(EditorWindow&, const std::string&);
  void (*run)(Editor&);
  Messages messages;
};
void PrintTo(const Command& c, std::ostream* os) { *os << c.name; }

void SelectOrNone(ListBox& list, const std::string& t, ListBox& column) {
  if (t.empty()) {
    list.selected = -1;
    return;
  }
  list.items = {"reply"};
  column.items = {t};
  list.selected = 0;
}
const Command kCommands[] = {
    {"GoTo", [](EditorWindow& w, const std::string& t) { w.goToNumber.text = t; }, GoToTypedLine,
     Messages::Standard},
    {"Jump", [](EditorWindow& w, const std::string& t) { w.jumpLine.text = t; }, FollowJump,
     Messages::Standard},
    {"UsedNumber",
     [](EditorWindow& w, const std::string& t) { SelectOrNone(w.usedNumbers, t, w.usedNumbers); },
     GoToUsedNumber, Messages::Standard},
    {"Respond",
     [](EditorWindow& w, const std::string& t) { SelectOrNone(w.replies, t, w.replyTargets); },
     Respond, Messages::Respond},
    {"EditResponse",
     [](EditorWindow& w, const std::string& t) { SelectOrNone(w.replies, t, w.replyNumbers); },
     EditResponse, Messages::EditResponse},
};

std::string ExpectedBox(Messages m, const Target& t) {
  const std::string& T = t.target;
  const std::string searched = ": Searched entire file: the line " + T + " does not exist!";
  const std::string title = m == Messages::Standard       ? "none Line does not Exist"
                            : m == Messages::EditResponse ? "none Cannot find Line"
                                                          : "none Line does not exist";
  switch (t.miss) {
    case Miss::None:
      return "";
    case Miss::EmptyTarget:
      return "none Invalid Response: Please select a line or response";
    case Miss::Longer:
      return (m == Messages::Standard ? "none Line does not Exist" : "none Line does not exist") +
             std::string(": Line number ") + T + " does not exist!";
    case Miss::Missing:  // Respond does not test for the end before each read
      if (m == Messages::Respond) return title + ": The line " + T + " does not exist!";
      return title + searched;
    case Miss::EndInNumber:
      return title + searched;
    case Miss::EndAfterOpener:
      if (m == Messages::Respond)
        return title + ": Searched entire File, the line " + T + " does not exist!";
      return title + searched;
    case Miss::Unreadable:
      return "critical File Error: Cannot read DIR/a.dlg.bak: No such file or directory";
  }
  return "";
}

class Lookup : public testing::TestWithParam<std::tuple<Command, Target>> {};

TEST_P(Lookup, ShowsTheLineOrTheBoxOfItsCommand) {
  const auto& [command, t] = GetParam();
  const int fds = OpenFds();
  Session s(t.copy == kNoCopy ? kNumbered : t.copy);
  if (t.copy == kNoCopy) Remove("a.dlg.bak")(s);
  command.place(s.ed.window, t.target);
  RememberShownLine(s.ed);  // a jump field that holds the target, not one typed into it
  command.run(s.ed);
  EXPECT_EQ(View(s.ed.window), t.view);
  const std::string box = ExpectedBox(command.messages, t);
  EXPECT_EQ(s.Boxes(), box.empty() ? Strings{} : Strings{box});
  EXPECT_EQ(OpenFds(), fds) << "descriptors left open";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, Lookup, testing::Combine(testing::ValuesIn(kCommands), testing::ValuesIn(kTargets)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

// New-line mode and "Go to 1" as the user meets them.
const std::string kNewLine = "99|[NPC]|||";
const std::string kAdded =
    "{1}{Hail.}{}{}{}{}{}\r\n{2}{Who?}{Qui?}{5}{c}{10}{x}\r\n"
    "{5}{New}{}{}{}{}{}\r\n{10}{Ten.}{}{}{}{ }{}\r\n"
    "{11}{Bye.}{}{}{}{0}{}\r\n{50}{Fifty.}{}{}{}{}{}\r\n";
const std::string kTenChanged = std::string(kNumbered).replace(kNumbered.find("Ten."), 4, "TEN!");
// Lookups trust the bytes last read only of a copy written a while ago.
const Step kAWhileLater = [](Session&) {
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
};
// clang-format off
const Row kRows[] = {
    {"FemaleRowFollowsTheResponse", kNumbered, {Pick(Replies, 1), Respond}, kTen},
    // Every way out of new-line mode shows "Go to 1" again.
    {"GoToLeavesNewLineMode", kNumbered, {NewLineNumber("99"), AddLine, GoTo("10")}, kTen},
    {"UsedNumberLeavesNewLineMode", kNumbered,
     {NewLineNumber("99"), AddLine, Pick(UsedNumbers, 2), GoToUsedNumber}, kTen},
    {"UsedNumberCancelledKeepsTheNewLineAndNoNumberPicked", kNumbered,
     {NewLineNumber("99"), AddLine, MaleText("Hi"), Pick(UsedNumbers, 2), Cancel, GoToUsedNumber,
      Is(PickedNumber, "")}, "99|[NPC]|Hi|||Save New Line|no Go to 1",
     {"yes/no/cancel exclamation Save New Line?: Save the new line 99 before leaving it?"}},
    {"JumpLeavesNewLineModeAndShowsGoTo1", kNumbered,
     {NewLineNumber("99"), AddLine, JumpLine("10"), No, FollowJump}, kTen,
     {"yes/no/cancel exclamation Save New Line?: Save the new line 99 before leaving it?"}},
    {"EmptyGoToKeepsNewLineMode", kNumbered, {NewLineNumber("99"), AddLine, GoToTypedLine},
     kNewLine + "|Save New Line|no Go to 1",
     {"none Invalid Response: Please select a line or response"}},
    {"GoTo1ShowsTheFirstRecordAndListsNewNumbers", kNumbered,
     {NewLineNumber("5"), AddLine, MaleText("New"), SaveNewLine, GoTo("50"),
      GoToFirstLine, Is(UsedNumbers, "1,2,5,10,11,50")}, kFirst, {}, {{"a.dlg.bak", kAdded}}},
    {"GoTo1KeepsABreakInANumber", "{5}{e}{}{}{}{}{}\r\n{6\r\n7}{f}{}{}{}{}{}\r\n",
     {GoToFirstLine, Is(UsedNumbers, "5,6\r\n7")}, "5|NPC|e||"},
    {"GoTo1StopsAtABlankLine", "{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n",
     {GoToFirstLine, Is(UsedNumbers, "1")}, "1|NPC|a||"},
    // Reused while the copy stands unchanged; changed by another program, even to the same
    // size, it is read again.
    {"ACopyChangedBehindTheEditorIsReadAgain", kNumbered,
     {kAWhileLater, GoTo("10"), GoToTypedLine, Is(MaleText, "Ten."),
      Write("a.dlg.bak", kTenChanged), GoToTypedLine}, "10|NPC|TEN!|Bye.|0", {},
     {{"a.dlg.bak", kTenChanged}}},
    {"GoTo1WithoutAFile", kNumbered, {PickFile(""), GoToFirstLine}, kFirst,
     {"none Select a .DLG file: Please select a dialogue (*.DLG) file"}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(LookupSteps, StepRows, testing::ValuesIn(kRows), RowName);

// The first-record read, as the line view shows it with its responses.
struct ReadCase {
  const char* name;
  std::string file;
  std::string shown;  // number|male|female|int|conditions|jump|execution|kind, then the rows
  bool endOfResponses = false;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

// The boxes, then each response row as text|number|int|marker|jump|flags of the six lists.
std::string Shown(const EditorWindow& w) {
  std::string s;
  for (const TextBox* b : {&w.lineNumber, &w.maleText, &w.femaleText, &w.intCheck,
                           &w.conditionFlags, &w.jumpLine, &w.executionFlags})
    s += b->text + "|";
  s += w.lineKind.text;
  const ListBox* lists[] = {&w.replies,    &w.replyNumbers, &w.replyIntChecks,
                            &w.replyForms, &w.replyTargets, &w.replyFlagTexts};
  for (const ListBox* l : lists) EXPECT_EQ(l->Count(), w.replies.Count());
  for (int i = 0; i < w.replies.Count(); ++i)
    for (const ListBox* l : lists) s += (l == lists[0] ? " / " : "|") + l->ItemAt(i);
  return s;
}

// One response row: text|number|int|marker|jump|flags text.
std::string Reply(const std::string& head, const std::string& cond = "",
                  const std::string& exec = "") {
  return " / " + head + "|CONDITIONAL FLAGS::  " + cond + "\r\nEXECUTION FLAGS::  " + exec;
}
const std::string kNpc1 = "{1}{Hi.}{}{}{}{}{}\r\n", kPc3 = "{3}{Bye.}{}{8}{}{0}{}\r\n";
const std::string k1 = "1|Hi.||||||NPC", kR3 = Reply("Bye.|3|8|Male|0");
// clang-format off
const ReadCase kReads[] = {
    {"ResponsesUpToTheNextNpcLine", kNpc1 + kPc3 + "{10}{Who?}{}{}{}{ }{}\r\n" + kPc3, k1 + kR3,
     true},
    {"FemaleFormIsASecondRow", kNpc1 + "{7}{Yes.}{Oui.}{12}{a}{20}{b}\r\n",
     k1 + Reply("Yes.|7|12|Male|20", "a", "b") + Reply("Oui.|7|12|female|20", "a", "b")},
    {"BlankLineAmongResponses", kNpc1 + "\r\n" + kPc3, k1 + kR3},
    {"PcLineFirst", kPc3 + kPc3, "3|Bye.||8||0||PC"},
    {"BlankJumpIsNpc", "{4}{Hm.}{}{}{}{ }{}\r\n" + kPc3, "4|Hm.|||| ||NPC" + kR3},
    {"UnendedLastResponse", kNpc1 + "{3}{Bye.}{}{8}{}{0}{}", k1 + kR3},
    {"CutInTheLastField", kNpc1 + "{3}{Bye.}{}{8}{}{0}{pc.ba", k1 + kR3 + "pc.ba"},
    {"CutBeforeTheLastField", kNpc1 + "{3}{Bye.}{}{8}{}{0", k1},
    {"Empty", "", "|||||||"},
    {"AnyOpener", "<1}{Hi.}{}{}{}{}{}\r\n", k1},
    {"BraceAndBreakInAField", "{1}{a{b\r\nc}{}{}{}{}{}\r\n", "1|a{b\r\nc||||||NPC"},
    {"CloseAsOpener", "}{x}{}{}{}{}{}\r\n" + kPc3, "|||||||"},
    {"CutInTheNumber", "{123", "123|||||||"},
    // A blank first line: the CR opens the number, which takes the LF and the "{".
    {"BlankFirstLine", "\r\n" + kNpc1, "\n{" + k1},
    // Fewer than seven fields: the CR and the next line are read into the missing fields.
    {"FewerFields", "{1}{a}{b}\r\n{c}{d}{e}{f}\r\n", "1|a|b|\n{c|d|e|f|PC"},
    // Something other than CR after the seventh field: six more fields are appended.
    {"MoreFields", "{1}{a}{b}{c}{d}{}{e}X{f}{g}{h}{i}{}{j}\r\n", "1|af|bg|ch|di||ej|NPC"},
    // Among responses, a character after the seventh field opens the next record's number.
    {"TwoResponsesOnALine", kNpc1 + "{2}{a}{}{}{}{5}{}{3}{b}{}{}{}{6}{}\r\n",
     k1 + Reply("a|2||Male|5") + Reply("b|3||Male|6")},
};
// clang-format on

class FirstRecordReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(FirstRecordReadTest, ShowsTheFirstRecordAndItsResponses) {
  ScriptedPlatform platform;
  Editor ed(platform);
  CharSource src(GetParam().file);
  Char ch = kNoChar;
  FirstRecordRead(src, ch, ed.state, ed.window);
  EXPECT_EQ(Shown(ed.window), GetParam().shown);
  EXPECT_EQ(ed.state.endOfResponses, GetParam().endOfResponses);
}
INSTANTIATE_TEST_SUITE_P(Files, FirstRecordReadTest, testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
