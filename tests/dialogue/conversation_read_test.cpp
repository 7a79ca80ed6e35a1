// What ReadConversation makes of each line of odd files: the fields it closes, text after the
// seventh, and how the line ends. That it reads every byte as the editor's reader does (field
// views, groups, lookups) is fuzz/conversation_check_fuzz.cpp's, against the slow model; these
// shapes pin the rules themselves, so that both ways cannot drift together.

#include <gtest/gtest.h>

#include <string>

#include "dialogue/conversation.h"

namespace dlg {
namespace {

// A line as "<fields closed><+ when text follows the seventh><line end>", the line end one of
// c (CR LF), r (CR), l (LF), n (none); lines joined by blanks.
std::string Shape(const Conversation& c) {
  std::string out;
  for (const FileLine& l : c.lines) {
    if (!out.empty()) out += ' ';
    out += std::to_string(l.fieldCount);
    if (l.textAfter) out += '+';
    out += "crln"[static_cast<int>(l.end)];
  }
  return out;
}

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// Every byte, or every byte that a field can hold: all but "}", CR and LF.
std::string EveryByte(bool inAField = false) {
  std::string out;
  for (int b = 0; b < 256; ++b)
    if (!inAField || (b != '}' && b != '\r' && b != '\n')) out += static_cast<char>(b);
  return out;
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::string shape;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

const std::string kPlain = "{1}{Hi.}{}{}{}{}{}\r\n";

const ReadCase kCases[] = {
    {"Plain", kPlain, "7c"},
    {"Empty", "", ""},
    {"MissingLastClose", "{1}{Hi.}{}{}{}{}{x\r\n", "6c"},
    {"OnlyTheNumber", "{1}\r\n", "1c"},
    {"TextAfterSeventh", "{1}{a}{}{}{}{}{}tail\r\n", "7+c"},
    {"FieldsAfterSeventh", "{1}{a}{}{}{}{}{}{8}{9}\r\n", "7+c"},
    {"OneCloseAfterSeventh", "{1}{a}{}{}{}{}{}}\r\n", "7+c"},
    // Any byte opens a field, "{" is text inside one.
    {"StrayOpenInField", "{1}{a{b}{}{}{}{}{}\r\n", "7c"},
    {"NoOpeners", "1}a}}}}2}}\r\n", "7c"},
    // A "}" where an opener stands closes an empty field.
    {"ClosesAsOpeners", "}}}}}}}\r\n", "7c"},
    {"EmptyFields", "{}{}{}{}{}{}{}\r\n", "7c"},
    {"LineBeginsWithClose", "}{Hi.}{}{}{}{}{}\r\n" + kPlain, "7c 7c"},
    {"CrOnly", "{1}{a}{}{}{}{}{}\r{2}{b}{}{}{}{1}{}\r", "7r 7r"},
    {"LfOnly", "{1}{a}{}{}{}{}{}\n{2}{b}{}{}{}{1}{}\n", "7l 7l"},
    {"CrCrLf", "{1}{a}{}{}{}{}{}\r\r\n" + kPlain, "7r 0c 7c"},
    {"LfCr", "{1}{a}{}{}{}{}{}\n\r" + kPlain, "7l 0r 7c"},
    {"NoFinalLineEnd", "{1}{a}{}{}{}{}{}", "7n"},
    {"CloseLast", "{1}{a}{}{}{}{}{", "6n"},
    {"CrLast", kPlain + "\r", "7c 0r"},
    {"BlankLines", "\r\n\r\n" + kPlain + "\r\n", "0c 0c 7c 0c"},
    {"NoCloseAtAll", "just text\r\n" + kPlain, "0c 7c"},
    {"EveryByteInAField", "{1}{" + EveryByte(true) + "}{}{}{}{}{}\r\n", "7c"},
    // 0-9, LF; 11-12, CR; 14-255 with "}" at 125: one field, then an opener and no "}".
    {"EveryByteRaw", EveryByte(), "0l 0r 1n"},
    {"LongLineWithoutClose", std::string(1000, 'x') + "\r\n" + kPlain, "0c 7c"},
    {"ThousandsOfCloses", std::string(3000, '}') + "\r\n" + kPlain, "7+c 7c"},
    {"ManyRecords", Repeat(kPlain, 300), Repeat("7c ", 299) + "7c"},
    {"ManyShortLines", Repeat("}\n", 700), Repeat("1l ", 699) + "1l"},
    {"NpcByMissingJump", "{1}{a}{}{}{}\r\n{2}{b}{}{}{}{1}{}\r\n", "5c 7c"},
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, LinesAsTheEditorsRulesMakeThem) {
  const std::string& bytes = GetParam().bytes;
  EXPECT_EQ(Shape(ReadConversation(bytes)), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// A record on a line of 64 KiB or more is kept another way: its fields read the same.
TEST(ReadTest, FieldsOfLinesAroundSixtyFourKiB) {
  for (const std::size_t size : {65535, 65536, 65537}) {
    const std::string text(size - 16, 'x');
    const std::string bytes = "{1}{" + text + "}{}{}{}{}{7}\r\n" + kPlain;
    const Conversation c = ReadConversation(bytes);
    ASSERT_EQ(c.records.size(), 2u);
    EXPECT_EQ(c.lines[0].Text().size(), size);
    EXPECT_EQ(c.records[0].Field(1), text) << size;
    EXPECT_EQ(c.records[0].Field(6), "7") << size;
    EXPECT_EQ(c.records[1].Field(1), "Hi.") << size;
  }
}

}  // namespace
}  // namespace dlg
