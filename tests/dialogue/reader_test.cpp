// The character-level readers over exact bytes: what each yields, the character it leaves in
// hand, and how far it reads.

#include <gtest/gtest.h>

#include "dialogue/record_reader.h"

namespace dlg {
namespace {

std::string Show(Char c) { return c == kNoChar ? "<none>" : std::string(1, static_cast<char>(c)); }

struct ReadCase {
  const char* name;
  std::string in;
  std::string text;  // what the reader yields
  Char last;         // the character in hand afterwards
  std::size_t consumed;
  Char entry = '}';  // the character in hand before
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
std::string Name(const testing::TestParamInfo<ReadCase>& info) { return info.param.name; }

class ScanFieldTest : public testing::TestWithParam<ReadCase> {};
TEST_P(ScanFieldTest, YieldsTextAndConsumes) {
  const ReadCase& c = GetParam();
  CharSource src(c.in);
  Char ch = kNoChar;
  std::string dest = "pre";
  EXPECT_EQ(ScanField(src, ch, dest), c.last != kNoChar);  // complete when the "}" was met
  EXPECT_EQ(dest, "pre" + c.text);
  EXPECT_EQ(Show(ch), Show(c.last));
  EXPECT_EQ(src.Position(), c.consumed);
}
INSTANTIATE_TEST_SUITE_P(Cases, ScanFieldTest,
                         testing::Values(ReadCase{"Plain", "{abc}x", "abc", '}', 5},
                                         ReadCase{"CloseOpenerIsEmpty", "}{x}", "", '}', 1},
                                         ReadCase{"OpenBraceInside", "{a{b}", "a{b", '}', 5},
                                         ReadCase{"AnyOpener", "Xab}", "ab", '}', 4},
                                         ReadCase{"LineBreaksKept", "{a\r\nb}", "a\r\nb", '}', 6},
                                         ReadCase{"EndInsideField", "{ab", "ab", kNoChar, 3},
                                         ReadCase{"EmptyFile", "", "", kNoChar, 0}),
                         Name);

class SkipTest : public testing::TestWithParam<ReadCase> {};
TEST_P(SkipTest, StopsAfterTheNextRecordsFirstCharacter) {
  const ReadCase& c = GetParam();
  CharSource src(c.in);
  Char ch = c.entry;
  SkipToNextRecord(src, ch);
  EXPECT_EQ(Show(ch), Show(c.last));
  EXPECT_EQ(src.Position(), c.consumed);
}
INSTANTIATE_TEST_SUITE_P(
    Cases, SkipTest,
    testing::Values(ReadCase{"RestCrLfAndOpener", "{Hi}{}{}{}{}{}\r\n{13}", "", '{', 17},
                    ReadCase{"LastLineLeavesLf", "{x}\r\n", "", kLF, 5},
                    ReadCase{"EntryCrStillReadsOn", "ab\r\nc\r\nd", "", 'c', 5, kCR},
                    ReadCase{"BlankLineCrTakenAsOpener", "{x}\r\n\r\n{2}", "", kCR, 6},
                    ReadCase{"LfOnlyReadsOnToCr", "a\nb\nc\r\nd", "", 'd', 8},
                    ReadCase{"NoCrBeforeEnd", "abc", "", kNoChar, 3}),
    Name);

class ReadFieldTest : public testing::TestWithParam<ReadCase> {};
TEST_P(ReadFieldTest, ReadsOneField) {
  const ReadCase& c = GetParam();
  CharSource src(c.in);
  std::string value = "stale";
  Char fieldChar = 'Q';
  ReadField(src, value, fieldChar);
  EXPECT_EQ(value, c.text);
  EXPECT_EQ(Show(fieldChar), Show(c.last));
  EXPECT_EQ(src.Position(), c.consumed);
}
INSTANTIATE_TEST_SUITE_P(Cases, ReadFieldTest,
                         testing::Values(ReadCase{"Number", "{12}{Hi}", "12", '}', 4},
                                         ReadCase{"EndOfFileReadsNothing", "", "", 'Q', 0},
                                         ReadCase{"BlankLineConsumesCrOnly", "\r\n{1}", "", kCR, 1},
                                         ReadCase{"EmptyField", "{}{x}", "", '}', 2},
                                         ReadCase{"CrBeforeCloseEndsField", "{12\r\n{13}", "12",
                                                  kCR, 4},
                                         ReadCase{"EndBeforeClose", "{12", "12", '2', 3}),
                         Name);

}  // namespace
}  // namespace dlg
