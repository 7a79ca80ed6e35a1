// Saving on leaving a field box, "Add Line" and "Save New Line", over real working copies.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using test::ShownBox;

const std::string k10 = "{10}{A}{}{}{}{}{}\r\n";
const std::string k20 = "{20}{B}{}{}{}{ }{}\r\n";
const std::string k30 = "{30}{C}{}{}{}{}{}\r\n";
const std::string kThree = k10 + k20 + k30;
const std::vector<std::string> kListed = {"10", "20", "30"};

std::string Rec(const std::string& n, const std::string& male) {
  return "{" + n + "}{" + male + "}{}{}{}{}{}\r\n";
}
ShownBox Critical(const std::string& title, const std::string& text) {
  return {text, title, MsgButtons::Ok, MsgIcon::Critical};
}
ShownBox Plain(const std::string& title, const std::string& text) {
  return {text, title, MsgButtons::Ok, MsgIcon::None};
}
ShownBox NotANumber(const std::string& typed) {
  return Critical("Not a Line Number",
                  "\"" + typed + "\" does not begin with a number. Please enter a line number.");
}

struct Session {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  Editor ed{platform};
  Session(const std::string& copy, std::vector<std::string> listed) {
    dir.Put("talk.dlg.bak", copy);
    ed.state.dialoguePath = dir.File("talk.dlg");
    ed.window.File1.fileName = "talk.dlg";
    ed.state.lastLineNumber = listed.empty() ? "" : listed.back();
    ed.window.lstusednum.items = std::move(listed);
  }
  std::string Copy() const { return test::ReadBytes(ed.state.WorkingCopyPath()); }
  bool Scratch() const { return test::FileExists(ed.state.ScratchCopyPath()); }
  // newLineMode, insertPending, then the controls that new-line mode turns round.
  std::string Mode() const {
    const EditorWindow& w = ed.window;
    std::string s;
    for (bool b : {ed.state.newLineMode, ed.state.insertPending, w.cmdsaveline.visible,
                   w.txtnpc.visible, w.lstnpc.visible, w.txtlinejump.enabled, w.Command7.visible})
      s += b ? '1' : '0';
    return s;
  }
};
const std::string kEditing = "0001011";  // the start-up controls
const std::string kNewLine = "1010100";

// --- Leaving a field box.

struct LeaveCase {
  const char* name;
  std::string lastLine, lineNum, fileName;
  TextBox EditorWindow::*box;
  std::string text, expected;
  std::vector<ShownBox> boxes;
  bool scratchLeft;
};
void PrintTo(const LeaveCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const LeaveCase kLeave[] = {
    {"ReplacesTheCurrentLine", "30", "20", "talk.dlg", &EditorWindow::txtDialogue, "X",
     k10 + Rec("20", "X") + k30, {}, false},
    {"KeepsLinesAfterTheLastListed", "10", "10", "talk.dlg", &EditorWindow::txtDialogue, "X",
     Rec("10", "X") + k20 + k30, {}, false},
    {"NoMatchLeavesTheCopy", "30", "020", "talk.dlg", &EditorWindow::txtDialogue, "X", kThree,
     {}, false},
    {"NoFileSelected", "30", "20", "", &EditorWindow::txtDialogue, "X", kThree,
     {Critical("Select a .DLG file", "Please select a .DLG file")}, true},
    {"RefusesALineBreak", "30", "20", "talk.dlg", &EditorWindow::txtfemale, "a\r\nb", kThree,
     {Critical("Cannot Save Line",
               "The Female Dialogue: field holds a line break, which would split the line in "
               "two. Remove it and leave the box again; the line was not saved.")},
     false},
    {"RefusesABrace", "30", "20", "talk.dlg", &EditorWindow::txtflags2, "a}b", kThree,
     {Critical("Cannot Save Line",
               "The Executuion Flags: field holds a \"}\", which would end the field early. "
               "Remove it and leave the box again; the line was not saved.")},
     false},
};
// clang-format on

class LeaveTest : public testing::TestWithParam<LeaveCase> {};

TEST_P(LeaveTest, RewritesTheWorkingCopy) {
  const LeaveCase& c = GetParam();
  Session s(kThree, kListed);
  s.ed.state.lastLineNumber = c.lastLine;
  s.ed.window.txtLineNum.text = c.lineNum;
  s.ed.window.File1.fileName = c.fileName;
  (s.ed.window.*c.box).text = c.text;
  FieldBox_LostFocus(s.ed);
  EXPECT_EQ(s.Copy(), c.expected);
  EXPECT_EQ(s.platform.boxes, c.boxes);
  EXPECT_EQ(s.Scratch(), c.scratchLeft);
}

INSTANTIATE_TEST_SUITE_P(Edit, LeaveTest, testing::ValuesIn(kLeave),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LeaveTest, WhileANewLineIsTypedOnlyAnEmptyScratchCopyIsLeft) {
  Session s(kThree, kListed);
  s.ed.state.newLineMode = true;
  s.ed.window.txtDialogue.text = "X";
  FieldBox_LostFocus(s.ed);
  EXPECT_EQ(s.Copy(), kThree);
  EXPECT_TRUE(s.platform.boxes.empty());
  EXPECT_EQ(test::ReadBytes(s.ed.state.ScratchCopyPath()), "");
}

TEST(LeaveTest, InsertModeClearsBothFlagsOnlyWhenItWrote) {
  const struct {
    std::string insertAfter, copy;
    bool flags;
  } kInserts[] = {
      {"10", k10 + Rec("15", "Y") + k20 + k30, false},
      {"99", kThree, true},
      {"", kThree, true},
  };
  for (const auto& c : kInserts) {
    Session s(kThree, kListed);
    s.ed.state.newLineMode = s.ed.state.insertPending = true;
    s.ed.state.insertAfter = c.insertAfter;
    s.ed.window.txtLineNum.text = "15";
    s.ed.window.txtDialogue.text = "Y";
    RewriteWorkingCopy(s.ed);
    EXPECT_EQ(s.Copy(), c.copy) << c.insertAfter;
    EXPECT_EQ(s.ed.state.newLineMode && s.ed.state.insertPending, c.flags) << c.insertAfter;
    EXPECT_EQ(s.ed.state.newLineMode || s.ed.state.insertPending, c.flags) << c.insertAfter;
    EXPECT_FALSE(s.Scratch()) << c.insertAfter;
  }
}

TEST(LeaveTest, FailedFileStepsLeaveTheCopyAndNoScratchCopy) {
  // {rename to fail (0: the working copy is missing), file named, operation, reason}
  const struct {
    int rename;
    std::string file, op, reason;
  } kFaults[] = {
      {0, "talk.dlg.bak", "read", "No such file or directory"},
      {1, "talk.dlg.bok", "write", "Permission denied"},   // temporary file onto the scratch copy
      {2, "talk.dlg.bok", "rename", "Permission denied"},  // scratch copy onto the working copy
  };
  for (const auto& f : kFaults) {
    Session s(kThree, kListed);
    test::FailingFileOps ops;
    s.platform.ops = &ops;
    Editor ed(s.platform);
    ed.state = s.ed.state;
    ed.window = s.ed.window;
    if (f.rename == 0) std::remove(ed.state.WorkingCopyPath().c_str());
    if (f.rename > 0) ops.FailCall(test::OpKind::Rename, f.rename, EACCES);
    ed.window.txtLineNum.text = "20";
    FieldBox_LostFocus(ed);
    EXPECT_EQ(s.platform.boxes,
              std::vector<ShownBox>{Critical(
                  "File Error", "Cannot " + f.op + " " + s.dir.File(f.file) + ": " + f.reason)});
    EXPECT_EQ(test::ReadBytes(ed.state.WorkingCopyPath()), f.rename == 0 ? "" : kThree);
    EXPECT_FALSE(s.Scratch()) << f.op;
  }
}

// --- "Add Line".

struct AddCase {
  std::string typed;
  std::vector<ShownBox> boxes;
  std::string mode, lineNumAfter, addLineAfter;
};

TEST(AddLineTest, RefusesOrEntersNewLineMode) {
  // clang-format off
  const AddCase kAdd[] = {
      {"0", {Plain("0 is reserverd", "0 is a Reserved Number and Cannot be Added")}, kEditing,
       "7", "0"},
      {"", {Plain("Empty Line Number", "Please Enter a Line Number")}, kEditing, "7", ""},
      {"20",
       {Critical("Line Already Exists",
                 "The line already exists, please enter a different number")},
       kEditing, "7", ""},
      {"abc", {NotANumber("abc")}, kEditing, "7", "abc"},
      {"-", {NotANumber("-")}, kEditing, "7", "-"},
      {".", {NotANumber(".")}, kEditing, "7", "."},
      {"9223372036854775808",
       {Critical("Line Number Too Large",
                 "The number 9223372036854775808 is too large. Please enter a line number from "
                 "-9223372036854775808 to 9223372036854775807.")},
       kEditing, "7", "9223372036854775808"},
      {"012", {}, kNewLine, "012", ""},
      {" 5", {}, kNewLine, " 5", ""},
      {"12.5", {}, kNewLine, "12.5", ""},
  };
  // clang-format on
  for (const AddCase& c : kAdd) {
    Session s(kThree, kListed);
    s.ed.window.txtLineNum.text = "7";
    s.ed.window.txtDialogue.text = "shown";
    s.ed.window.txtaddline.text = c.typed;
    cmdaddline_Click(s.ed);
    EXPECT_EQ(s.platform.boxes, c.boxes) << c.typed;
    EXPECT_EQ(s.Mode(), c.mode) << c.typed;
    EXPECT_EQ(s.ed.window.txtLineNum.text, c.lineNumAfter) << c.typed;
    EXPECT_EQ(s.ed.window.txtDialogue.text, c.mode == kNewLine ? "" : "shown") << c.typed;
    EXPECT_EQ(s.ed.window.txtaddline.text, c.addLineAfter) << c.typed;
  }
}

// --- "Save New Line".

struct PlaceCase {
  std::string typed;
  std::vector<std::string> listed;
  std::string copy;
  std::vector<std::string> listAfter;
  std::string copyAfter, lastAfter;
};

TEST(SaveNewLineTest, PlacesTheRecordByValue) {
  const std::string kBig = "9223372036854775807", kSmall = "-9223372036854775808";
  // clang-format off
  const PlaceCase kPlace[] = {
      {"15", kListed, kThree, {"10", "15", "20", "30"}, k10 + Rec("15", "Y") + k20 + k30, "30"},
      {"40", kListed, kThree, {"10", "20", "30", "40"}, kThree + Rec("40", "Y"), "40"},
      {"020", kListed, kThree, {"10", "20", "20", "30"}, k10 + k20 + Rec("020", "Y") + k30, "30"},
      {"12.5", kListed, kThree, {"10", "12", "20", "30"}, k10 + Rec("12.5", "Y") + k20 + k30, "30"},
      {"13.5", kListed, kThree, {"10", "14", "20", "30"}, k10 + Rec("13.5", "Y") + k20 + k30, "30"},
      // Blanks among the digits are skipped, as by Val.
      {" 1 2", kListed, kThree, {"10", "12", "20", "30"}, k10 + Rec(" 1 2", "Y") + k20 + k30, "30"},
      {"5", kListed, kThree, {"5", "10", "20", "30"}, Rec("5", "Y") + kThree, "30"},
      {"7", {}, "", {"7"}, Rec("7", "Y"), "7"},
      {kBig, kListed, kThree, {"10", "20", "30", kBig}, kThree + Rec(kBig, "Y"), kBig},
      {kSmall, kListed, kThree, {kSmall, "10", "20", "30"}, Rec(kSmall, "Y") + kThree, "30"},
      // A listed number past 64 bits still compares by its value.
      {"50", {"10", "99999999999999999999"}, k10 + Rec("99999999999999999999", "Z"),
       {"10", "50", "99999999999999999999"},
       k10 + Rec("50", "Y") + Rec("99999999999999999999", "Z"), "99999999999999999999"},
  };
  // clang-format on
  for (const PlaceCase& c : kPlace) {
    Session s(c.copy, c.listed);
    s.ed.window.txtaddline.text = c.typed;
    cmdaddline_Click(s.ed);
    s.ed.window.txtDialogue.text = "Y";
    cmdsaveline_Click(s.ed);
    EXPECT_EQ(s.ed.window.lstusednum.items, c.listAfter) << c.typed;
    EXPECT_EQ(s.Copy(), c.copyAfter) << c.typed;
    EXPECT_EQ(s.ed.state.lastLineNumber, c.lastAfter) << c.typed;
    EXPECT_EQ(s.Mode(), kEditing) << c.typed;
    EXPECT_FALSE(s.ed.state.insertBeforeFirst) << c.typed;
    EXPECT_TRUE(s.platform.boxes.empty()) << c.typed;
    EXPECT_FALSE(s.Scratch()) << c.typed;
  }
}

TEST(SaveNewLineTest, ARefusedFieldKeepsTheNewLineForAnotherTry) {
  Session s(kThree, kListed);
  s.ed.window.txtaddline.text = "15";
  cmdaddline_Click(s.ed);
  s.ed.window.txtDialogue.text = "two\nlines";
  cmdsaveline_Click(s.ed);
  EXPECT_EQ(s.platform.boxes.size(), 1u);
  EXPECT_EQ(s.Mode(), kNewLine);
  EXPECT_EQ(s.ed.window.lstusednum.items, kListed);
  EXPECT_EQ(s.Copy(), kThree);
  s.ed.window.txtDialogue.text = "one line";
  cmdsaveline_Click(s.ed);
  EXPECT_EQ(s.Copy(), k10 + Rec("15", "one line") + k20 + k30);
  EXPECT_EQ(s.Mode(), kEditing);
}

}  // namespace
}  // namespace dlg
