// The order of a listed number's value against the whole number of a new line: "Save New Line"
// puts the new record before the first listed number whose value is greater, whether the listed
// numbers are plain digits or not.

#include "commands/leading_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

TEST(LeadingNumberTest, ListedValueAgainstAWholeNumber) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const struct {
    std::string listed;
    std::int64_t n;
    int order;  // -1, 0, 1
  } kCases[] = {
      {"10", 10, 0},
      {"007", 7, 0},
      {"+3", 3, 0},
      {" 1 2", 12, 0},      // blanks among the digits are skipped
      {"12abc", 12, 0},     // reading stops at the first byte that is no digit
      {"abc", 0, 0},        // no number at all counts as 0
      {"-0", 0, 0},         // no negative zero
      {"10.5", 10, 1},
      {"10.5", 11, -1},
      {"12.50", 12, 1},     // trailing zeros of a fraction change nothing
      {"-10.5", -10, -1},   // below zero the larger magnitude is the smaller value
      {"-9", -10, 1},
      {"-1", 0, -1},
      {"1", -1, 1},
      {"9", 10, -1},        // fewer digits, smaller value
      {"99999999999999999999", kMax, 1},
      {"-9223372036854775809", kMin, -1},
      {"-9223372036854775808", kMin, 0},
  };
  for (const auto& c : kCases) {
    const int got = Compare(ValueOf(c.listed), c.n);
    EXPECT_EQ((got > 0) - (got < 0), c.order) << '"' << c.listed << "\" vs " << c.n;
    const int same = Compare(ValueOf(c.listed), WholeValue(c.n));
    EXPECT_EQ((same > 0) - (same < 0), c.order) << '"' << c.listed << "\" vs " << c.n;
  }
}

std::string Rec(const std::string& n) { return "{" + n + "}{}{}{}{}{}{}\r\n"; }

TEST(LeadingNumberTest, SaveNewLinePlacesAmongListedNumbersOfEveryForm) {
  // Values -5, 7.5, 9, 12, 13: only the last two are plain digits.
  const std::vector<std::string> kListed = {"-5", "7.5", " 9", "012", "0013"};
  const struct {
    std::string typed;
    std::size_t index;  // where the record and its listed number go
  } kCases[] = {{"-6", 0}, {"8", 2}, {"10", 3}, {"12", 4}, {"14", 5}};
  for (const auto& c : kCases) {
    test::TempDir dir;
    std::string copy;
    for (const std::string& n : kListed) copy += Rec(n);
    dir.Put("a.dlg.bak", copy);
    test::ScriptedPlatform platform;
    Editor ed(platform);
    ed.state.dialoguePath = dir.File("a.dlg");
    ed.state.lastLineNumber = kListed.back();
    ed.window.File1.fileName = "a.dlg";
    ed.window.lstusednum.items = kListed;
    ed.window.txtaddline.text = c.typed;
    cmdaddline_Click(ed);
    cmdsaveline_Click(ed);

    std::vector<std::string> listed = kListed;
    listed.insert(listed.begin() + static_cast<std::ptrdiff_t>(c.index), c.typed);
    std::string expected;
    for (const std::string& n : listed) expected += Rec(n);
    EXPECT_EQ(ed.window.lstusednum.items, listed) << c.typed;
    EXPECT_EQ(test::ReadBytes(ed.state.WorkingCopyPath()), expected) << c.typed;
    EXPECT_TRUE(platform.boxes.empty()) << c.typed;
  }
}

}  // namespace
}  // namespace dlg
