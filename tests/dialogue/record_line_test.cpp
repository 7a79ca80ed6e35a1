// A line read as a record without leaving it: the number that a rewrite of it matches, and the
// jump that Delete and Renumber read, on odd lines too.

#include "dialogue/record_line.h"

#include <gtest/gtest.h>

#include <string>

#include "dialogue/rewrite.h"

namespace dlg {
namespace {

struct RecordLineCase {
  const char* name;
  std::string content;  // a line without its ending
  std::string number;
  std::string jump;  // "<none>": not closed on the line
};
void PrintTo(const RecordLineCase& c, std::ostream* os) { *os << c.name; }

const std::string kNone = "<none>";
const RecordLineCase kCases[] = {
    {"Record", "{12}{a}{b}{5}{c}{30}{x}", "12", "30"},
    {"NpcLine", "{10}{a}{}{}{}{ }{}", "10", " "},
    {"Empty", "", "", kNone},
    // Any byte opens a field; a "}" opener is an empty field of its own.
    {"OddOpeners", "(7}[a}<}}>}|31}", "7", "31"},
    // The "}" is the empty number and "7}" the next field, as the list of responses reads a
    // record: the sixth is the "{}" before "{31}".
    {"CloseOpensTheNumber", "}7}{a}{}{}{}{31}", "", ""},
    {"EmptyFieldsAsClosers", "{7}}}}}{31}", "7", "31"},
    // The number runs to the end of the line, as the rewrite matches it; the jump must close.
    {"NumberUnclosed", "{7", "7", kNone},
    {"JumpUnclosed", "{7}{a}{}{}{}{31", "7", kNone},
    {"FewerFields", "{7}{a}", "7", kNone},
};

class RecordLineTest : public testing::TestWithParam<RecordLineCase> {};

TEST_P(RecordLineTest, ReadsNumberAndJumpWithinTheLine) {
  const RecordLineCase& c = GetParam();
  EXPECT_EQ(LineNumberOf(c.content), c.number);
  const auto jump = JumpOf(c.content);
  EXPECT_EQ(jump ? std::string(*jump) : kNone, c.jump);
  // The number is the one that a rewrite of it would replace.
  if (!c.number.empty()) {
    EXPECT_TRUE(HoldsRecord(c.content, c.number));
  }
}
INSTANTIATE_TEST_SUITE_P(Lines, RecordLineTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
