// The rewrite over exact bytes: one splice, every other byte carried as it stood.

#include "support/rewrite_records.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace dlg {
namespace {

using Mode = RewriteRequest::Mode;

const std::string k10 = "{10}{A}{}{}{}{}{}\r\n";
const std::string k20 = "{20}{B}{}{}{}{ }{}\r\n";
const std::string k30 = "{30}{C}{}{}{}{}{}\r\n";
const std::string kThree = k10 + k20 + k30;

struct Case {
  const char* name;
  std::string input;
  Mode mode;
  std::string number;  // replace: txtLineNum; insert: the new record's number
  std::string insertAfter;
  bool beforeFirst;
  std::string expected;
  int written;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

// Replace mode writes {number}{X}{}{}{}{}{}; insert mode writes {number}{Y}{}{}{}{}{}.
std::string X(const std::string& n) { return "{" + n + "}{X}{}{}{}{}{}\r\n"; }
std::string Y(const std::string& n) { return "{" + n + "}{Y}{}{}{}{}{}\r\n"; }

const Case kCases[] = {
    {"ReplacesTheMiddleRecord", kThree, Mode::Replace, "20", "", false, k10 + X("20") + k30, 1},
    {"ReplacesTheLastRecord", kThree, Mode::Replace, "30", "", false, k10 + k20 + X("30"), 1},
    // Numbers are text: "020" is not "20".
    {"LeadingZeroMatchesNothing", kThree, Mode::Replace, "020", "", false, kThree, 0},
    {"ReplacesEveryEqualRecord", k10 + k20 + "{20}{Q}{}{}{}{}{}\r\n" + k30, Mode::Replace, "20", "",
     false, k10 + X("20") + X("20") + k30, 2},
    {"ExtraFieldsGoOnlyWithTheReplacedRecord",
     k10 + "{20}{B}{}{}{}{}{}{8th}\r\n" + "{30}{C}{}{}{}{}{}{9th}\r\n", Mode::Replace, "20", "",
     false, k10 + X("20") + "{30}{C}{}{}{}{}{}{9th}\r\n", 1},
    // After "-END OF DIALOG-" there is no current line; blank and "{}" lines stay.
    {"EmptyNumberReplacesNothing", k10 + "\r\n" + "{}{orphan}{}{}{}{}{}\r\n" + k20, Mode::Replace,
     "", "", false, k10 + "\r\n" + "{}{orphan}{}{}{}{}{}\r\n" + k20, 0},

    {"InsertsAfterTheNamedRecord", kThree, Mode::Insert, "15", "10", false,
     k10 + Y("15") + k20 + k30, 1},
    {"InsertsAfterEachEqualRecord", k10 + k10 + k20, Mode::Insert, "15", "10", false,
     k10 + Y("15") + k10 + Y("15") + k20, 2},
    {"InsertsAfterTheLastRecord", kThree, Mode::Insert, "40", "30", false, kThree + Y("40"), 1},
    {"InsertAfterNothingWritesNothing", kThree, Mode::Insert, "15", "", false, kThree, 0},
    {"InsertAfterAMissingNumberWritesNothing", kThree, Mode::Insert, "15", "99", false, kThree, 0},
    {"InsertsBeforeTheFirstLine", kThree, Mode::Insert, "5", "30", true, Y("5") + kThree, 1},
    {"InsertsIntoAnEmptyCopy", "", Mode::Insert, "5", "", true, Y("5"), 1},

    // Odd files: every line that is not replaced survives byte for byte.
    {"BlankLineIsCarried", k10 + "\r\n" + k20 + k30, Mode::Replace, "30", "", false,
     k10 + "\r\n" + k20 + X("30"), 1},
    {"EmptyFirstFieldIsCarried", k10 + "{}{orphan}{}{}{}{}{}\r\n" + k20, Mode::Replace, "20", "",
     false, k10 + "{}{orphan}{}{}{}{}{}\r\n" + X("20"), 1},
    {"UnendedLastLineIsCarried", k10 + "{20}{B}{}{}{}{ }{}", Mode::Replace, "10", "", false,
     X("10") + "{20}{B}{}{}{}{ }{}", 1},
    {"UnendedLastLineIsReplacedWithItsEnd", k10 + "{20}{B}", Mode::Replace, "20", "", false,
     k10 + X("20"), 1},
    {"InsertAfterUnendedLastLineEndsItFirst", k10 + "{20}{B}", Mode::Insert, "25", "20", false,
     k10 + "{20}{B}\r\n" + Y("25"), 1},
    {"LfEndedLinesAreCarried", "{10}{A}\n{20}{B}\n{30}{C}\n", Mode::Replace, "20", "", false,
     "{10}{A}\n" + X("20") + "{30}{C}\n", 1},
    // A CR alone ends its line: the bytes after it are the next line, never swallowed.
    {"LoneCrEndsTheReplacedLine", "{10}{A}\r{20}{B}\r\n", Mode::Replace, "10", "", false,
     X("10") + "{20}{B}\r\n", 1},
    {"LoneCrLineIsCarried", "{10}{A}\r{20}{B}\r\n", Mode::Replace, "20", "", false,
     "{10}{A}\r" + X("20"), 1},

    // The first field: any opener, a "}" opener is empty, it ends at "}" or at the line end.
    {"AnyOpenerCounts", "<20}{B}\r\n", Mode::Replace, "20", "", false, X("20"), 1},
    {"CloseOpenerIsEmpty", "}20}{B}\r\n", Mode::Replace, "20", "", false, "}20}{B}\r\n", 0},
    {"NumberCutShortByTheLineEnd", "{20\r\n{30}{C}\r\n", Mode::Replace, "20", "", false,
     X("20") + "{30}{C}\r\n", 1},
};

class RewriteTest : public testing::TestWithParam<Case> {};

TEST_P(RewriteTest, WritesExactBytes) {
  const Case& c = GetParam();
  RewriteRequest request;
  request.mode = c.mode;
  request.record.lineNumber = c.number;
  request.record.maleText = std::string(c.mode == Mode::Replace ? "X" : "Y");
  request.insertAfter = c.insertAfter;
  request.insertBeforeFirst = c.beforeFirst;
  RewriteResult r = RewriteRecords(c.input, request);
  EXPECT_EQ(r.bytes, c.expected);
  EXPECT_EQ(r.recordsWritten, c.written);
}

INSTANTIATE_TEST_SUITE_P(Rewrite, RewriteTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace dlg
