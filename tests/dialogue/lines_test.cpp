// The one line splitter of the rewrite and of dlgcheck: where each line ends and what ends it;
// then a line read as a record without leaving it: the number that a rewrite of it matches, and
// the jump that Delete and Renumber read, on odd lines too.

#include "dialogue/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogue/record_line.h"
#include "dialogue/rewrite.h"

namespace dlg {
namespace {

struct LinesCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;  // content "|" ending
};
void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

const LinesCase kLines[] = {
    {"Empty", "", {}},
    {"NoEnding", "{1}", {"{1}|"}},
    {"CrLf", "a\r\nb\r\n", {"a|\r\n", "b|\r\n"}},
    {"LoneCrAndLf", "a\rb\nc", {"a|\r", "b|\n", "c|"}},
    // An LF before a CR is a line of its own, and a CR before CR LF ends an empty line.
    {"LfThenCr", "\n\r", {"|\n", "|\r"}},
    {"CrThenCrLf", "a\r\r\n", {"a|\r", "|\r\n"}},
    {"CrAtTheEnd", "a\r", {"a|\r"}},
    // Past the 16 and 64 bytes that the search takes at a time.
    {"LongLines",
     std::string(40, 'x') + "\r\n" + std::string(80, 'y') + "\r" + std::string(20, 'z'),
     {std::string(40, 'x') + "|\r\n", std::string(80, 'y') + "|\r", std::string(20, 'z') + "|"}},
};

class LinesTest : public testing::TestWithParam<LinesCase> {};

TEST_P(LinesTest, EndsEachLineWhereItsEndingIs) {
  const std::string& text = GetParam().text;
  std::vector<std::string> got;
  LineCursor cursor(text);
  std::size_t next = 0;
  for (Line l; cursor.Next(l);) {
    EXPECT_EQ(l.start, next);
    for (const FindLineBreakFn find : LineBreakKernels()) {
      EXPECT_EQ(l.start + find(text.data() + l.start, text.size() - l.start), l.contentEnd);
    }
    got.push_back(text.substr(l.start, l.contentEnd - l.start) + "|" +
                  text.substr(l.contentEnd, l.end - l.contentEnd));
    next = l.end;
  }
  EXPECT_EQ(got, GetParam().lines);
}
INSTANTIATE_TEST_SUITE_P(Texts, LinesTest, testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

struct RecordLineCase {
  const char* name;
  std::string content;  // a line without its ending
  std::string number;
  std::string jump;  // "<none>": not closed on the line
};
void PrintTo(const RecordLineCase& c, std::ostream* os) { *os << c.name; }

const std::string kNone = "<none>";
const RecordLineCase kRecordLines[] = {
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
INSTANTIATE_TEST_SUITE_P(Lines, RecordLineTest, testing::ValuesIn(kRecordLines),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
