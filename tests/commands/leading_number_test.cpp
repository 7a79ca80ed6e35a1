// The order of a listed number's value against the whole number of a new line: "Save New Line"
// puts the new record before the first listed number whose value is greater.

#include "commands/leading_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

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

}  // namespace
}  // namespace dlg
