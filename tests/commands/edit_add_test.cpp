// Saving on leaving a field box, "Add Line" and "Save New Line", over real working copies.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <limits>

#include "commands/leading_number.h"
#include "support/loaded_editor.h"

namespace dlg {
namespace {

using Boxes = std::vector<std::string>;
using List = std::vector<std::string>;

std::string R(const std::string& n, const std::string& male = "") {
  return "{" + n + "}{" + male + "}{}{}{}{}{}\r\n";
}
const std::string k10 = R("10", "A"), k20 = "{20}{B}{}{}{}{ }{}\r\n", k30 = R("30", "C");
const std::string kThree = k10 + k20 + k30;

const std::string kEditing = "0001011", kNewLine = "1010100";

TEST(LeaveFieldBox, RewritesTheWorkingCopyOrSaysWhyNot) {
  const std::string kCannot = "critical Cannot Save Line: The ";
  const std::string kNotSaved = ". Remove it and leave the box again; the line was not saved.";
  // clang-format off
  TextBox EditorWindow::*const kMale = &EditorWindow::txtDialogue;
  const struct {
    TextBox EditorWindow::*box;
    std::string text, lineNum, file;
    bool newLine;
    std::string copy;
    Boxes boxes;
    const char* scratch;  // the scratch copy's bytes, nullptr when none is left
  } kCases[] = {
      {kMale, "X", "20", "a.dlg", false, k10 + R("20", "X") + k30, {}, nullptr},
      {kMale, "X", "10", "a.dlg", false, R("10", "X") + k20 + k30, {}, nullptr},
      {kMale, "X", "020", "a.dlg", false, kThree, {}, nullptr},  // numbers are text
      {kMale, "X", "20", "", false, kThree,
       {"critical Select a .DLG file: Please select a .DLG file"}, ""},
      // While a new line is typed, "Save New Line" writes it.
      {kMale, "X", "20", "a.dlg", true, kThree, {}, ""},
      {&EditorWindow::txtfemale, "a\r\nb", "20", "a.dlg", false, kThree,
       {kCannot + "Female Dialogue: field holds a line break, which would split the line in two" +
        kNotSaved}, nullptr},
      {&EditorWindow::txtflags2, "a}b", "20", "a.dlg", false, kThree,
       {kCannot + "Executuion Flags: field holds a \"}\", which would end the field early" +
        kNotSaved}, nullptr},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text + " in " + c.lineNum);
    test::LoadedEditor s(kThree);
    s.ed.window.txtLineNum.text = c.lineNum;
    s.ed.window.File1.fileName = c.file;
    s.ed.state.newLineMode = c.newLine;
    (s.ed.window.*c.box).text = c.text;
    FieldBox_LostFocus(s.ed);
    EXPECT_EQ(s.Copy(), c.copy);
    EXPECT_EQ(s.Boxes(), c.boxes);
    const bool scratch = test::FileExists(s.dir.File("a.dlg.bok"));
    EXPECT_STREQ(scratch ? test::ReadBytes(s.dir.File("a.dlg.bok")).c_str() : nullptr, c.scratch);
  }
}

TEST(LeaveFieldBox, AFailedStepLeavesTheCopyAndNoScratchCopy) {
  // clang-format off
  const struct {
    int rename;  // the rename to fail; 0: the working copy is gone
    std::string box;
  } kCases[] = {
      {0, "critical File Error: Cannot read DIR/a.dlg.bak: No such file or directory"},
      {1, "critical File Error: Cannot write DIR/a.dlg.bok: Permission denied"},
      {2, "critical File Error: Cannot rename DIR/a.dlg.bok: Permission denied"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    test::LoadedEditor s(kThree);
    if (c.rename == 0) std::filesystem::remove(s.dir.File("a.dlg.bak"));
    if (c.rename > 0) s.ops.FailCall(test::OpKind::Rename, c.rename, EACCES);
    s.ed.window.txtLineNum.text = "20";
    FieldBox_LostFocus(s.ed);
    EXPECT_EQ(s.Boxes(), Boxes{c.box});
    EXPECT_EQ(s.Copy(), c.rename == 0 ? "" : kThree);
    EXPECT_FALSE(test::FileExists(s.dir.File("a.dlg.bok"))) << c.box;
  }
}

TEST(AddLine, RefusesOrEntersNewLineMode) {
  const std::string kNaN = "critical Not a Line Number: \"";
  const std::string kNaN2 = "\" does not begin with a number. Please enter a line number.";
  // clang-format off
  const struct {
    std::string typed;
    Boxes boxes;
    std::string addLineAfter;
  } kCases[] = {
      {"0", {"none 0 is reserverd: 0 is a Reserved Number and Cannot be Added"}, "0"},
      {"", {"none Empty Line Number: Please Enter a Line Number"}, ""},
      {"20", {"critical Line Already Exists: The line already exists, please enter a different "
              "number"}, ""},
      {"abc", {kNaN + "abc" + kNaN2}, "abc"},
      {"-", {kNaN + "-" + kNaN2}, "-"},
      {".", {kNaN + "." + kNaN2}, "."},
      {"9223372036854775808",
       {"critical Line Number Too Large: The number 9223372036854775808 is too large. Please enter "
        "a line number from -9223372036854775808 to 9223372036854775807."}, "9223372036854775808"},
      {"012", {}, ""},
      {" 5", {}, ""},
      {"12.5", {}, ""},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.typed);
    test::LoadedEditor s(kThree);
    s.ed.window.txtaddline.text = c.typed;
    cmdaddline_Click(s.ed);
    EXPECT_EQ(s.Boxes(), c.boxes);
    EXPECT_EQ(s.Mode(), c.boxes.empty() ? kNewLine : kEditing);
    EXPECT_EQ(s.ed.window.txtLineNum.text, c.boxes.empty() ? c.typed : "10");
    EXPECT_EQ(s.ed.window.txtDialogue.text, c.boxes.empty() ? "" : "A");
    EXPECT_EQ(s.ed.window.txtaddline.text, c.addLineAfter);
  }
}

TEST(SaveNewLine, PlacesTheRecordByValue) {
  const std::string kBig = "9223372036854775807", kSmall = "-9223372036854775808";
  const std::string kHuge = "99999999999999999999";
  // Values -5, 7.5, 9, 12, 13: only the last two are plain digits.
  const std::string kForms = R("-5") + R("7.5") + R(" 9") + R("012") + R("0013");
  // clang-format off
  const struct {
    std::string typed, file;
    List listAfter;
    std::string copyAfter, lastAfter;
  } kCases[] = {
      {"15", kThree, {"10", "15", "20", "30"}, k10 + R("15", "Y") + k20 + k30, "30"},
      {"40", kThree, {"10", "20", "30", "40"}, kThree + R("40", "Y"), "40"},
      {"020", kThree, {"10", "20", "20", "30"}, k10 + k20 + R("020", "Y") + k30, "30"},
      {"12.5", kThree, {"10", "12", "20", "30"}, k10 + R("12.5", "Y") + k20 + k30, "30"},
      {"13.5", kThree, {"10", "14", "20", "30"}, k10 + R("13.5", "Y") + k20 + k30, "30"},
      {" 1 2", kThree, {"10", "12", "20", "30"}, k10 + R(" 1 2", "Y") + k20 + k30, "30"},
      {"5", kThree, {"5", "10", "20", "30"}, R("5", "Y") + kThree, "30"},
      {"7", "", {"7"}, R("7", "Y"), "7"},
      {kBig, kThree, {"10", "20", "30", kBig}, kThree + R(kBig, "Y"), kBig},
      {kSmall, kThree, {kSmall, "10", "20", "30"}, R(kSmall, "Y") + kThree, "30"},
      {"50", k10 + R(kHuge), {"10", "50", kHuge}, k10 + R("50", "Y") + R(kHuge), kHuge},
      {"-6", kForms, {"-6", "-5", "7.5", " 9", "012", "0013"}, R("-6", "Y") + kForms, "0013"},
      {"8", kForms, {"-5", "7.5", "8", " 9", "012", "0013"},
       R("-5") + R("7.5") + R("8", "Y") + R(" 9") + R("012") + R("0013"), "0013"},
      {"12", kForms, {"-5", "7.5", " 9", "012", "12", "0013"},
       R("-5") + R("7.5") + R(" 9") + R("012") + R("12", "Y") + R("0013"), "0013"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.typed);
    test::LoadedEditor s(c.file);
    s.ed.window.txtaddline.text = c.typed;
    cmdaddline_Click(s.ed);
    s.ed.window.txtDialogue.text = "Y";
    cmdsaveline_Click(s.ed);
    EXPECT_EQ(s.ed.window.lstusednum.items, c.listAfter);
    EXPECT_EQ(s.Copy(), c.copyAfter);
    EXPECT_EQ(s.ed.state.lastLineNumber, c.lastAfter);
    EXPECT_EQ(s.Mode(), kEditing);
    EXPECT_EQ(s.Boxes(), Boxes{});
    EXPECT_FALSE(test::FileExists(s.dir.File("a.dlg.bok")));
  }
}

TEST(SaveNewLine, ARefusedRecordStaysForAnotherTryAMissingPlaceIsTold) {
  test::LoadedEditor s(kThree);
  s.ed.window.txtaddline.text = "15";
  cmdaddline_Click(s.ed);
  s.ed.window.txtDialogue.text = "two\nlines";
  cmdsaveline_Click(s.ed);
  EXPECT_EQ(s.platform.boxes.size(), 1u);
  EXPECT_EQ(s.Mode(), kNewLine);
  EXPECT_EQ(s.Copy(), kThree);
  s.ed.window.txtDialogue.text = "one line";
  cmdsaveline_Click(s.ed);
  EXPECT_EQ(s.Copy(), k10 + R("15", "one line") + k20 + k30);
  EXPECT_EQ(s.Mode(), kEditing);

  s.dir.Put("a.dlg.bak", k10 + k30);  // no longer what the list says
  s.ed.window.txtaddline.text = "25";
  cmdaddline_Click(s.ed);
  cmdsaveline_Click(s.ed);
  EXPECT_EQ(s.Boxes().back(),
            "critical Cannot Save Line: The line 20, after which the new line "
            "belongs, is not in the working copy. The new line was not saved.");
  EXPECT_EQ(s.Copy(), k10 + k30);
  EXPECT_EQ(s.Mode(), kEditing);
}

TEST(LeadingNumber, ListedValueAgainstAWholeNumber) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  // clang-format off
  const struct {
    std::string listed;
    std::int64_t n;
    int order;
  } kCases[] = {
      {"10", 10, 0},     {"007", 7, 0},
      {"+3", 3, 0},      {" 1 2", 12, 0},     // blanks among the digits are skipped
      {"12abc", 12, 0},  {"abc", 0, 0},       // no number at all counts as 0
      {"-0", 0, 0},      {"12.00", 12, 0},    // trailing zeros of a fraction change nothing
      {"10.5", 10, 1},   {"10.5", 11, -1},
      {"-10.5", -10, -1}, {"-9", -10, 1},     // below zero the larger magnitude is smaller
      {"-1", 0, -1},     {"1", -1, 1},
      {"9", 10, -1},     {"99999999999999999999", kMax, 1},
      {"-9223372036854775809", kMin, -1}, {"-9223372036854775808", kMin, 0},
  };
  // clang-format on
  for (const auto& c : kCases) {
    const int got = Compare(ValueOf(c.listed), WholeValue(c.n));
    EXPECT_EQ((got > 0) - (got < 0), c.order) << '"' << c.listed << "\" vs " << c.n;
  }
}

}  // namespace
}  // namespace dlg
