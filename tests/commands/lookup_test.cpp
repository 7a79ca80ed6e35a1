// Lookups over real working copies: finding a line by number, the messages of each command,
// new-line mode, following responses and "Go to 1".

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using test::ScriptedPlatform;
using test::ShownBox;
using test::TempDir;

// 1 NPC with response 2 (male and female rows), 10 NPC with response 11 (to the end), 50 NPC.
const std::string kNumbered =
    "{1}{Hail.}{}{}{}{}{}\r\n"
    "{2}{Who?}{Qui?}{5}{c}{10}{x}\r\n"
    "{10}{Ten.}{}{}{}{ }{}\r\n"
    "{11}{Bye.}{}{}{}{0}{}\r\n"
    "{50}{Fifty.}{}{}{}{}{}\r\n";

const std::string kNoFile = "(none)";  // no working copy on disk

struct Session {
  TempDir dir;
  ScriptedPlatform platform;
  Editor ed{platform};

  explicit Session(const std::string& workingCopy) {
    if (workingCopy != kNoFile) dir.Put("talk.dlg.bak", workingCopy);
    ed.state.dialoguePath = dir.File("talk.dlg");
    ed.state.fileLoaded = true;
    ed.window.File1.path = dir.Path();
    ed.window.File1.fileName = "talk.dlg";
    ed.window.Frame1.enabled = true;
  }
};

std::string Join(const ListBox& list) {
  std::string out;
  for (const std::string& item : list.items) out += (out.empty() ? "" : ",") + item;
  return out;
}

// The line view in one line: number|kind|male text|responses|their numbers|their targets.
std::string View(const EditorWindow& w) {
  return w.txtLineNum.text + "|" + w.txtnpc.text + "|" + w.txtDialogue.text + "|" +
         Join(w.lstresponses) + "|" + Join(w.lsthideline) + "|" + Join(w.lstline);
}

void ShowStale(EditorWindow& w) {
  w.txtLineNum.text = "7";
  w.txtDialogue.text = "old";
  w.lstresponses.items = {"old"};
  w.lsthideline.items = {"8"};
  w.lstline.items = {"9"};
}

const std::string kStale = "7||old|old|8|9";
const std::string kEmpty = "|||||";

ShownBox Ok(const std::string& title, const std::string& text) {
  return {text, title, MsgButtons::Ok, MsgIcon::None};
}

// --- "Go to:" over the text of txtgoline.

struct GoToCase {
  const char* name;
  std::string workingCopy;
  std::string target;
  std::string view;
  std::vector<ShownBox> boxes;
};
void PrintTo(const GoToCase& c, std::ostream* os) { *os << c.name; }

class GoToTest : public testing::TestWithParam<GoToCase> {};

TEST_P(GoToTest, ShowsLineOrReports) {
  const GoToCase& c = GetParam();
  Session s(c.workingCopy);
  ShowStale(s.ed.window);
  s.ed.window.txtgoline.text = c.target;
  Command5_Click(s.ed);
  EXPECT_EQ(View(s.ed.window), c.view);
  EXPECT_EQ(s.platform.boxes, c.boxes);
  EXPECT_EQ(s.ed.state.lookupTarget, c.target);
}

const ShownBox kEmptyTarget = Ok("Invalid Response", "Please select a line or response");
ShownBox Searched(const std::string& t) {
  return Ok("Line does not Exist", "Searched entire file: the line " + t + " does not exist!");
}
ShownBox Longer(const std::string& t) {
  return Ok("Line does not Exist", "Line number " + t + " does not exist!");
}

const GoToCase kGoToCases[] = {
    {"First", kNumbered, "1", "1|NPC|Hail.|Who?,Qui?|2,2|10,10", {}},
    {"PcLineHasNoResponses", kNumbered, "11", "11|PC|Bye.|||", {}},
    {"NpcLineWithSpaceJump", kNumbered, "10", "10|NPC|Ten.|Bye.|11|0", {}},
    {"Missing", kNumbered, "3", kEmpty, {Searched("3")}},
    {"StopsAtFirstLongerNumber", kNumbered, "5", kEmpty, {Longer("5")}},
    {"LongerNumberBeforeExactOne",
     "{10}{a}{}{}{}{}{}\r\n{1}{b}{}{}{}{}{}\r\n",
     "1",
     kEmpty,
     {Longer("1")}},
    {"LeadingZero", kNumbered, "01", kEmpty, {Searched("01")}},
    {"LeadingSpace", kNumbered, " 1", kEmpty, {Searched(" 1")}},
    {"TrailingSpace", kNumbered, "1 ", kEmpty, {Searched("1 ")}},
    {"DoubleZeroIsText", kNumbered, "00", kEmpty, {Searched("00")}},
    {"ZeroWithoutOpeningFile", kNoFile, "0", "||-END OF DIALOG-|||", {}},
    {"EmptyTargetKeepsView", kNumbered, "", kStale, {kEmptyTarget}},
    {"BlankLineBeforeRecord",
     "{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n",
     "2",
     "2|NPC|b|||",
     {}},
    {"BlankLinesAtStart", "\r\n\r\n{4}{d}{}{}{}{}{}\r\n", "4", "4|NPC|d|||", {}},
    {"EmptyWorkingCopy", "", "1", kEmpty, {Searched("1")}},
    {"OneByteWorkingCopy", "{", "1", kEmpty, {Searched("1")}},
    {"CutInsideNumber", "{1}{a}{}{}{}{}{}\r\n{2", "2", kEmpty, {Searched("2")}},
    {"CutAfterNumber", "{1}{a}{}{}{}{}{}\r\n{2}{b}", "2", "2|NPC|b|||", {}},
};

INSTANTIATE_TEST_SUITE_P(Lookup, GoToTest, testing::ValuesIn(kGoToCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LookupTest, UnreadableWorkingCopyIsReportedAndViewStaysEmpty) {
  Session s(kNoFile);
  ShowStale(s.ed.window);
  s.ed.window.txtgoline.text = "1";
  Command5_Click(s.ed);
  EXPECT_EQ(View(s.ed.window), kEmpty);
  ASSERT_EQ(s.platform.boxes.size(), 1u);
  EXPECT_EQ(s.platform.boxes[0].icon, MsgIcon::Critical);
  EXPECT_NE(s.platform.boxes[0].text.find(s.ed.state.WorkingCopyPath()), std::string::npos);
}

// --- Each message of Respond's and Edit Response's sets ("Go to:" shows the standard set above).

enum class Cmd { Respond, EditResponse };

struct MessageCase {
  const char* name;
  Cmd command;
  std::string workingCopy;
  std::string target;
  ShownBox box;
};
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class MessageTest : public testing::TestWithParam<MessageCase> {};

TEST_P(MessageTest, ShowsExactBox) {
  const MessageCase& c = GetParam();
  Session s(c.workingCopy);
  EditorWindow& w = s.ed.window;
  // The target stands where each command takes it from; an empty one means no row selected.
  w.lstresponses.items = {"r"};
  w.lstresponses.selected = c.target.empty() ? -1 : 0;
  w.lstline.items = {c.target};
  w.lsthideline.items = {c.target};
  if (c.command == Cmd::Respond) {
    lstresponses_DblClick(s.ed);
  } else {
    Command4_Click(s.ed);
  }
  EXPECT_EQ(s.platform.boxes, std::vector<ShownBox>{c.box});
}

const std::string kCut = "{1}{a}{}{}{}{ }{}\r\n{12";

const MessageCase kMessageCases[] = {
    {"RespondEmpty", Cmd::Respond, kNumbered, "", kEmptyTarget},
    {"RespondEndAfterOpener", Cmd::Respond, "{", "4",
     Ok("Line does not exist", "Searched entire File, the line 4 does not exist!")},
    {"RespondEndInNumber", Cmd::Respond, kCut, "123",
     Ok("Line does not exist", "Searched entire file: the line 123 does not exist!")},
    {"RespondEndAfterRecord", Cmd::Respond, kNumbered, "4",
     Ok("Line does not exist", "The line 4 does not exist!")},
    {"RespondLonger", Cmd::Respond, kNumbered, "5",
     Ok("Line does not exist", "Line number 5 does not exist!")},
    {"EditEmpty", Cmd::EditResponse, kNumbered, "", kEmptyTarget},
    {"EditEnd", Cmd::EditResponse, kNumbered, "4",
     Ok("Cannot find Line", "Searched entire file: the line 4 does not exist!")},
    {"EditLonger", Cmd::EditResponse, kNumbered, "5",
     Ok("Line does not exist", "Line number 5 does not exist!")},
};

INSTANTIATE_TEST_SUITE_P(Lookup, MessageTest, testing::ValuesIn(kMessageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- New-line mode: left by "Go to:", the used-number list and "Jump", kept by the others.

struct ModeCase {
  const char* name;
  void (*command)(Editor&);
  std::string target;  // put in txtgoline, txtlinejump and lstusednum alike
  bool leaves;
  bool goToFirstVisible;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class NewLineModeTest : public testing::TestWithParam<ModeCase> {};

TEST_P(NewLineModeTest, ControlStates) {
  const ModeCase& c = GetParam();
  Session s(kNumbered);
  EditorWindow& w = s.ed.window;
  s.ed.state.newLineMode = true;
  w.cmdsaveline.visible = true;
  w.txtnpc.visible = false;
  w.lstnpc.visible = true;
  w.txtlinejump.enabled = false;
  w.Command7.visible = false;
  w.txtgoline.text = c.target;
  w.txtlinejump.text = c.target;
  w.lstusednum.items = {c.target};
  w.lstusednum.selected = 0;
  c.command(s.ed);
  EXPECT_EQ(s.ed.state.newLineMode, !c.leaves);
  EXPECT_EQ(w.cmdsaveline.visible, !c.leaves);
  EXPECT_EQ(w.txtnpc.visible, c.leaves);
  EXPECT_EQ(w.lstnpc.visible, !c.leaves);
  EXPECT_EQ(w.txtlinejump.enabled, c.leaves);
  EXPECT_EQ(w.Command7.visible, c.goToFirstVisible);
}

const ModeCase kModeCases[] = {
    {"GoTo", Command5_Click, "10", true, false},
    {"GoToEmptyKeeps", Command5_Click, "", false, false},
    {"UsedNumber", lstusednum_DblClick, "10", true, false},
    {"Jump", Command3_Click, "10", true, true},
    {"JumpEmptyKeeps", Command3_Click, "", false, false},
    {"Respond", Command1_Click, "10", false, false},
    {"EditResponse", Command4_Click, "10", false, false},
};

INSTANTIATE_TEST_SUITE_P(Lookup, NewLineModeTest, testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Following the rows of a line: both rows of a response go where it goes.

struct RowCase {
  const char* name;
  std::string start;
  void (*command)(Editor&);
  int row;
  std::string view;
};
void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

class ResponseRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(ResponseRowTest, FollowsRow) {
  const RowCase& c = GetParam();
  Session s(kNumbered);
  s.ed.window.txtgoline.text = c.start;
  Command5_Click(s.ed);
  s.ed.window.lstresponses.selected = c.row;
  c.command(s.ed);
  EXPECT_EQ(View(s.ed.window), c.view);
  EXPECT_TRUE(s.platform.boxes.empty());
}

const RowCase kRowCases[] = {
    {"RespondMale", "1", Command1_Click, 0, "10|NPC|Ten.|Bye.|11|0"},
    {"RespondFemale", "1", lstresponses_DblClick, 1, "10|NPC|Ten.|Bye.|11|0"},
    {"RespondToEnd", "10", Command1_Click, 0, "||-END OF DIALOG-|||"},
    {"EditMale", "1", Command4_Click, 0, "2|PC|Who?|||"},
    {"EditFemale", "1", Command4_Click, 1, "2|PC|Who?|||"},
};

INSTANTIATE_TEST_SUITE_P(Lookup, ResponseRowTest, testing::ValuesIn(kRowCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- "Go to 1": the first record whatever its number, and the list of used numbers rebuilt.

struct FirstCase {
  const char* name;
  std::string workingCopy;
  std::string view;
  std::vector<std::string> used;
  std::string lastLineNumber;
};
void PrintTo(const FirstCase& c, std::ostream* os) { *os << c.name; }

class GoToFirstTest : public testing::TestWithParam<FirstCase> {};

TEST_P(GoToFirstTest, ShowsFirstAndRebuilds) {
  const FirstCase& c = GetParam();
  Session s(c.workingCopy);
  EditorWindow& w = s.ed.window;
  ShowStale(w);
  w.lstusednum.items = {"stale"};
  w.Command2.enabled = true;
  w.File1.enabled = w.Dir1.enabled = w.Drive1.enabled = true;
  Command7_Click(s.ed);
  EXPECT_EQ(View(w), c.view);
  EXPECT_EQ(w.lstusednum.items, c.used);
  EXPECT_EQ(s.ed.state.lastLineNumber, c.lastLineNumber);
  EXPECT_TRUE(s.platform.boxes.empty());
  EXPECT_FALSE(w.Command2.enabled || w.File1.enabled || w.Dir1.enabled || w.Drive1.enabled);
  EXPECT_TRUE(w.Command8.enabled && w.Command9.enabled && w.Commandsave.enabled);
}

const FirstCase kFirstCases[] = {
    {"Numbered", kNumbered, "1|NPC|Hail.|Who?,Qui?|2,2|10,10", {"1", "2", "10", "11", "50"}, "50"},
    {"FirstIsFive", "{5}{e}{}{}{}{}{}\r\n{6}{f}{}{}{}{}{}\r\n", "5|NPC|e|||", {"5", "6"}, "6"},
    // Unlike Load File's scan, a line break inside a number is kept in it.
    {"BreakInsideNumber",
     "{5}{e}{}{}{}{}{}\r\n{6\r\n7}{f}{}{}{}{}{}\r\n",
     "5|NPC|e|||",
     {"5", "6\r\n7"},
     "6\r\n7"},
    {"StopsAtBlankLine", "{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n", "1|NPC|a|||", {"1"}, "1"},
    {"EmptyNumberListed", "{}{a}{}{}{}{}{}\r\n{3}{c}{}{}{}{}{}\r\n", "|NPC|a|||", {"", "3"}, "3"},
    {"CutShort", "{1}{a}{}{}{}{}{}\r\n{2", "1|NPC|a|||", {"1"}, "1"},
};

INSTANTIATE_TEST_SUITE_P(Lookup, GoToFirstTest, testing::ValuesIn(kFirstCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LookupTest, GoToFirstNeedsSelectedFile) {
  Session s(kNumbered);
  s.ed.window.File1.fileName.clear();
  ShowStale(s.ed.window);
  Command7_Click(s.ed);
  EXPECT_EQ(View(s.ed.window), kStale);
  EXPECT_EQ(s.platform.boxes, std::vector<ShownBox>{Ok("Select a .DLG file",
                                                       "Please select a dialogue (*.DLG) file")});
}

}  // namespace
}  // namespace dlg
