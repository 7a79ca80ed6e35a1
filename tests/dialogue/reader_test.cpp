// The character-level readers over exact bytes: what each consumes and what it leaves behind.

#include <gtest/gtest.h>

#include "dialogue/record.h"
#include "dialogue/record_reader.h"

namespace dlg {
namespace {

std::string Show(Char c) { return c == kNoChar ? "<none>" : std::string(1, static_cast<char>(c)); }

struct ScanCase {
  const char* name;
  std::string in;
  std::string text;  // what the field yields
  Char last;         // the character field afterwards
  std::size_t consumed;
  bool complete;
};

class ScanFieldTest : public testing::TestWithParam<ScanCase> {};

TEST_P(ScanFieldTest, YieldsTextAndConsumes) {
  const ScanCase& c = GetParam();
  CharSource src(c.in);
  Char ch = kNoChar;
  std::string dest = "pre";
  EXPECT_EQ(ScanField(src, ch, dest), c.complete);
  EXPECT_EQ(dest, "pre" + c.text);
  EXPECT_EQ(Show(ch), Show(c.last));
  EXPECT_EQ(src.Position(), c.consumed);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScanFieldTest,
                         testing::Values(ScanCase{"Plain", "{abc}x", "abc", '}', 5, true},
                                         ScanCase{"BraceOpenerIsEmpty", "}{x}", "", '}', 1, true},
                                         ScanCase{"OpenBraceInside", "{a{b}", "a{b", '}', 5, true},
                                         ScanCase{"AnyOpener", "Xab}", "ab", '}', 4, true},
                                         ScanCase{"LineBreaksKept", "{a\r\nb}", "a\r\nb", '}', 6,
                                                  true},
                                         ScanCase{"EndInsideField", "{ab", "ab", kNoChar, 3, false},
                                         ScanCase{"EmptyFile", "", "", kNoChar, 0, false}),
                         [](const auto& info) { return info.param.name; });

struct SkipCase {
  const char* name;
  std::string in;
  Char entry;
  Char left;        // currentChar afterwards
  std::size_t pos;  // characters consumed
};

class SkipTest : public testing::TestWithParam<SkipCase> {};

TEST_P(SkipTest, StopsAfterNextRecordsFirstCharacter) {
  const SkipCase& c = GetParam();
  CharSource src(c.in);
  Char ch = c.entry;
  SkipToNextRecord(src, ch);
  EXPECT_EQ(Show(ch), Show(c.left));
  EXPECT_EQ(src.Position(), c.pos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkipTest,
    testing::Values(
        // The worked example: after "{12}" the rest, CR LF and the next "{" are consumed.
        SkipCase{"WorkedExample", "{Hi}{}{}{}{}{}\r\n{13}", '}', '{', 17},
        SkipCase{"LastLineLeavesLf", "{x}\r\n", '}', kLF, 5},
        SkipCase{"EntryCrStillReadsOn", "ab\r\nc\r\nd", kCR, 'c', 5},
        SkipCase{"BlankLineCrTakenAsOpener", "{x}\r\n\r\n{2}", '}', kCR, 6},
        SkipCase{"LfOnlyReadsOnToCr", "a\nb\nc\r\nd", '}', 'd', 8},
        SkipCase{"NoCrBeforeEnd", "abc", '}', kNoChar, 3}),
    [](const auto& info) { return info.param.name; });

struct ReadFieldCase {
  const char* name;
  std::string in;
  std::string value;
  Char fieldChar;
  std::size_t pos;
};

class ReadFieldTest : public testing::TestWithParam<ReadFieldCase> {};

TEST_P(ReadFieldTest, ReadsOneField) {
  const ReadFieldCase& c = GetParam();
  CharSource src(c.in);
  std::string value = "stale";
  Char fieldChar = 'Q';
  ReadField(src, value, fieldChar);
  EXPECT_EQ(value, c.value);
  EXPECT_EQ(Show(fieldChar), Show(c.fieldChar));
  EXPECT_EQ(src.Position(), c.pos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadFieldTest,
    testing::Values(ReadFieldCase{"Number", "{12}{Hi}", "12", '}', 4},
                    ReadFieldCase{"EndOfFileReadsNothing", "", "", 'Q', 0},
                    ReadFieldCase{"BlankLineConsumesCrOnly", "\r\n{1}", "", kCR, 1},
                    ReadFieldCase{"EmptyField", "{}{x}", "", '}', 2},
                    ReadFieldCase{"CrBeforeCloseEndsField", "{12\r\n{13}", "12", kCR, 4},
                    ReadFieldCase{"EndBeforeClose", "{12", "12", '2', 3}),
    [](const auto& info) { return info.param.name; });

TEST(RecordFormat, NpcRuleAndLine) {
  struct {
    std::string jump;
    bool npc;
  } rules[] = {{"", true}, {" ", true}, {"  ", false}, {"0", false}, {"20", false}};
  for (const auto& r : rules) EXPECT_EQ(IsNpcJump(r.jump), r.npc) << "[" << r.jump << "]";

  EXPECT_EQ(FormatRecordLine({}), "{}{}{}{}{}{}{}\r\n");
  EXPECT_EQ(FormatRecordLine({"5", "Yes.", "Oui.", "8", "", "20", "a{b"}),
            "{5}{Yes.}{Oui.}{8}{}{20}{a{b}\r\n");
  EXPECT_EQ(FirstUnwritableField({"5", "ok", "x}y", "", "", "", ""}), 2);
  EXPECT_EQ(FirstUnwritableField({"5", "ok", "", "", "", "", "a\nb"}), 6);
  EXPECT_EQ(FirstUnwritableField({"5", "a{b", "", "", "", "", ""}), -1);
}

}  // namespace
}  // namespace dlg
