// The one line splitter of the rewrite and of dlgcheck: where each line ends and what ends it.

#include "dialogue/lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dlg {
namespace {

struct LinesCase {
  const char* name;
  std::string text;
  std::vector<std::string> lines;  // content "|" ending
};
void PrintTo(const LinesCase& c, std::ostream* os) { *os << c.name; }

const LinesCase kCases[] = {
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
INSTANTIATE_TEST_SUITE_P(Texts, LinesTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
