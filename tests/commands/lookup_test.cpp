// Lookups over real working copies: finding a line by number, the messages of each command,
// new-line mode, following responses and "Go to 1".

#include <gtest/gtest.h>

#include "support/loaded_editor.h"

namespace dlg {
namespace {

using Boxes = std::vector<std::string>;

// 1 NPC with response 2 (male and female rows), 10 NPC with response 11 (to the end), 50 NPC.
const std::string kNumbered =
    "{1}{Hail.}{}{}{}{}{}\r\n"
    "{2}{Who?}{Qui?}{5}{c}{10}{x}\r\n"
    "{10}{Ten.}{}{}{}{ }{}\r\n"
    "{11}{Bye.}{}{}{}{0}{}\r\n"
    "{50}{Fifty.}{}{}{}{}{}\r\n";
const char* const kNoFile = "(none)";  // the working copy is gone from the disk

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
const std::string kFirst = "1|NPC|Hail.|Who?,Qui?|2,2|10,10", kEmpty = "|||||";
const std::string kEnd = "||-END OF DIALOG-|||";

struct Loaded : test::LoadedEditor {
  explicit Loaded(const std::string& copy) : LoadedEditor(copy == kNoFile ? "" : copy) {
    if (copy == kNoFile) std::filesystem::remove(dir.File("a.dlg.bak"));
  }
};

std::string Searched(const std::string& t) {
  return "none Line does not Exist: Searched entire file: the line " + t + " does not exist!";
}
std::string Longer(const std::string& t, const char* title = "Line does not Exist") {
  return "none " + std::string(title) + ": Line number " + t + " does not exist!";
}
const std::string kEmptyTarget = "none Invalid Response: Please select a line or response";

TEST(GoTo, ShowsTheLineOrSaysWhyNot) {
  // clang-format off
  const struct {
    std::string copy, target, view;
    Boxes boxes;
  } kCases[] = {
      {kNumbered, "1", kFirst, {}},
      {kNumbered, "11", "11|PC|Bye.|||", {}},  // a PC line has no responses
      {kNumbered, "10", "10|NPC|Ten.|Bye.|11|0", {}},
      {kNumbered, "3", kEmpty, {Searched("3")}},
      {kNumbered, "5", kEmpty, {Longer("5")}},  // stops at the first longer number
      {"{10}{a}{}{}{}{}{}\r\n{1}{b}{}{}{}{}{}\r\n", "1", kEmpty, {Longer("1")}},
      {kNumbered, "01", kEmpty, {Searched("01")}},
      {kNumbered, " 1", kEmpty, {Searched(" 1")}},
      {kNumbered, "1 ", kEmpty, {Searched("1 ")}},
      {kNumbered, "00", kEmpty, {Searched("00")}},
      {kNoFile, "0", kEnd, {}},  // without opening the working copy
      {kNumbered, "", kFirst, {kEmptyTarget}},
      {"{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n", "2", "2|NPC|b|||", {}},
      {"\r\n\r\n{4}{d}{}{}{}{}{}\r\n", "4", "4|NPC|d|||", {}},
      {"", "1", kEmpty, {Searched("1")}},
      {"{", "1", kEmpty, {Searched("1")}},
      {"{1}{a}{}{}{}{}{}\r\n{2", "2", kEmpty, {Searched("2")}},
      {"{1}{a}{}{}{}{}{}\r\n{2}{b}", "2", "2|NPC|b|||", {}},
      {kNoFile, "1", kEmpty,
       {"critical File Error: Cannot read DIR/a.dlg.bak: No such file or directory"}},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE("\"" + c.target + "\" in " + c.copy);
    Loaded s(c.copy);
    s.ed.window.txtgoline.text = c.target;
    Command5_Click(s.ed);
    EXPECT_EQ(View(s.ed.window), c.view);
    EXPECT_EQ(s.Boxes(), c.boxes);
  }
}

TEST(Lookup, RespondAndEditResponseWordTheirMessages) {
  const std::string kCut = "{1}{a}{}{}{}{ }{}\r\n{12";
  auto* const respond = lstresponses_DblClick;
  auto* const edit = Command4_Click;
  // clang-format off
  const struct {
    void (*command)(Editor&);
    std::string copy, target, box;
  } kCases[] = {
      {respond, kNumbered, "", kEmptyTarget},
      {respond, "{", "4",
       "none Line does not exist: Searched entire File, the line 4 does not exist!"},
      {respond, kCut, "123",
       "none Line does not exist: Searched entire file: the line 123 does not exist!"},
      {respond, kNumbered, "4", "none Line does not exist: The line 4 does not exist!"},
      {respond, kNumbered, "5", Longer("5", "Line does not exist")},
      {edit, kNumbered, "", kEmptyTarget},
      {edit, kNumbered, "4",
       "none Cannot find Line: Searched entire file: the line 4 does not exist!"},
      {edit, kNumbered, "5", Longer("5", "Line does not exist")},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.box);
    Loaded s(c.copy);
    EditorWindow& w = s.ed.window;
    // The target stands where each command takes it from; an empty one means no row selected.
    w.lstresponses.items = {"r"};
    w.lstresponses.selected = c.target.empty() ? -1 : 0;
    w.lstline.items = w.lsthideline.items = {c.target};
    c.command(s.ed);
    EXPECT_EQ(s.Boxes(), Boxes{c.box});
  }
}

TEST(Lookup, NewLineModeIsLeftByGoToTheUsedNumbersAndJumpOnly) {
  const std::string kLeft = "0001010", kJumped = "0001011", kKept = "1010100";
  // clang-format off
  const struct {
    void (*command)(Editor&);
    std::string target;  // put in txtgoline, txtlinejump and lstusednum alike
    std::string mode;
  } kCases[] = {
      {Command5_Click, "10", kLeft},         {Command5_Click, "", kKept},
      {lstusednum_DblClick, "10", kLeft},    {Command3_Click, "10", kJumped},
      {Command3_Click, "", kKept},           {Command1_Click, "10", kKept},
      {Command4_Click, "10", kKept},
  };
  // clang-format on
  for (const auto& c : kCases) {
    Loaded s(kNumbered);
    EditorWindow& w = s.ed.window;
    w.txtaddline.text = "99";
    cmdaddline_Click(s.ed);
    w.txtgoline.text = w.txtlinejump.text = c.target;
    w.lstusednum.items = {c.target};
    w.lstusednum.selected = 0;
    c.command(s.ed);
    EXPECT_EQ(s.Mode(), c.mode) << &c - kCases;
  }
}

TEST(Lookup, BothRowsOfAResponseGoWhereItGoes) {
  // clang-format off
  const struct {
    std::string start;
    void (*command)(Editor&);
    int row;
    std::string view;
  } kCases[] = {
      {"1", Command1_Click, 0, "10|NPC|Ten.|Bye.|11|0"},
      {"1", lstresponses_DblClick, 1, "10|NPC|Ten.|Bye.|11|0"},  // the female row
      {"10", Command1_Click, 0, kEnd},
      {"1", Command4_Click, 0, "2|PC|Who?|||"},
      {"1", Command4_Click, 1, "2|PC|Who?|||"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    Loaded s(kNumbered);
    s.ed.window.txtgoline.text = c.start;
    Command5_Click(s.ed);
    s.ed.window.lstresponses.selected = c.row;
    c.command(s.ed);
    EXPECT_EQ(View(s.ed.window), c.view) << &c - kCases;
    EXPECT_EQ(s.Boxes(), Boxes{});
  }
}

TEST(GoToFirst, ShowsTheFirstRecordAndRebuildsTheList) {
  // clang-format off
  const struct {
    std::string copy, view;
    std::vector<std::string> used;
    std::string last;
  } kCases[] = {
      {kNumbered, kFirst, {"1", "2", "10", "11", "50"}, "50"},
      {"{5}{e}{}{}{}{}{}\r\n{6}{f}{}{}{}{}{}\r\n", "5|NPC|e|||", {"5", "6"}, "6"},
      // Unlike Load File's scan, a line break inside a number is kept in it.
      {"{5}{e}{}{}{}{}{}\r\n{6\r\n7}{f}{}{}{}{}{}\r\n", "5|NPC|e|||", {"5", "6\r\n7"}, "6\r\n7"},
      {"{1}{a}{}{}{}{}{}\r\n\r\n{2}{b}{}{}{}{}{}\r\n", "1|NPC|a|||", {"1"}, "1"},
      {"{}{a}{}{}{}{}{}\r\n{3}{c}{}{}{}{}{}\r\n", "|NPC|a|||", {"", "3"}, "3"},
      {"{1}{a}{}{}{}{}{}\r\n{2", "1|NPC|a|||", {"1"}, "1"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.copy);
    Loaded s(c.copy);
    EditorWindow& w = s.ed.window;
    w.txtLineNum.text = w.txtDialogue.text = "stale";
    w.lstusednum.items = w.lstresponses.items = {"stale"};
    SetFileLoadedControls(w, false);
    Command7_Click(s.ed);
    EXPECT_EQ(View(w), c.view);
    EXPECT_EQ(w.lstusednum.items, c.used);
    EXPECT_EQ(s.ed.state.lastLineNumber, c.last);
    EXPECT_EQ(s.Boxes(), Boxes{});
    EXPECT_FALSE(w.Command2.enabled || w.File1.enabled || w.Dir1.enabled || w.Drive1.enabled);
    EXPECT_TRUE(w.Command8.enabled && w.Command9.enabled && w.Commandsave.enabled);
  }
  Loaded s(kNumbered);
  s.ed.window.File1.fileName.clear();
  s.ed.window.txtLineNum.text = "stale";
  Command7_Click(s.ed);
  EXPECT_EQ(s.ed.window.txtLineNum.text, "stale");
  EXPECT_EQ(s.Boxes(), Boxes{"none Select a .DLG file: Please select a dialogue (*.DLG) file"});
}

}  // namespace
}  // namespace dlg
