// ReadConversation reads 64 bytes at a time; the editor's reader one character at a time. Every
// row here is read both ways (the slow way in support/conversation_model.h) and must come out
// the same to the byte: lines, field views, groups, lookups and reachability. The shape pins what
// the editor's rules make of each line, so that both ways cannot drift together.

#include <gtest/gtest.h>

#include <string>

#include "dialogue/conversation.h"
#include "support/conversation_model.h"

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

std::string EveryByte() {
  std::string out;
  for (int b = 0; b < 256; ++b) out += static_cast<char>(b);
  return out;
}

// Every byte that a field can hold: all but "}", CR and LF.
std::string EveryFieldByte() {
  std::string out;
  for (int b = 0; b < 256; ++b)
    if (b != '}' && b != '\r' && b != '\n') out += static_cast<char>(b);
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
    {"EveryByteInAField", "{1}{" + EveryFieldByte() + "}{}{}{}{}{}\r\n", "7c"},
    // 0-9, LF; 11-12, CR; 14-255 with "}" at 125: one field, then an opener and no "}".
    {"EveryByteRaw", EveryByte(), "0l 0r 1n"},
    {"LongFieldAcrossBlocks", "{1}{" + std::string(300, 'x') + "}{}{}{}{}{}\r\n", "7c"},
    {"LongLineWithoutClose", std::string(1000, 'x') + "\r\n" + kPlain, "0c 7c"},
    {"ThousandsOfCloses", std::string(3000, '}') + "\r\n" + kPlain, "7+c 7c"},
    {"ManyRecords", Repeat(kPlain, 300), Repeat("7c ", 299) + "7c"},
    {"ManyShortLines", Repeat("}\n", 700), Repeat("1l ", 699) + "1l"},
    // Lookups: a number used twice, one found under a longer number before it, a jump to a
    // number no record has, one to the end, numbers that are not digits, replies before the
    // first NPC line and replies that lead to replies.
    {"Lookups",
     "{5}{orphan}{}{}{}{1}{}\r\n"
     "{12}{I shadow 1.}{}{}{}{}{}\r\n"
     "{1}{Hidden.}{}{}{}{}{}\r\n"
     "{13}{To 1.}{}{}{}{1}{}\r\n"
     "{14}{To 12.}{}{}{}{12}{}\r\n"
     "{15}{Bye.}{}{}{}{0}{}\r\n"
     "{16}{Nowhere.}{}{}{}{99}{}\r\n"
     "{12}{Again.}{}{}{}{}{}\r\n"
     "{x1}{Text number.}{}{}{}{ }{}\r\n"
     "{17}{To a reply.}{}{}{}{13}{}\r\n"
     "{18}{To text.}{}{}{}{x}{}\r\n"
     "{}{No number.}{}{}{}{}{}\r\n",
     Repeat("7c ", 11) + "7c"},
    // Numbers the index keeps by their bytes rather than their value: leading zeros, bytes
    // that are no digits after digits, more than nine digits, values beyond its table (which
    // for a file this small ends at 4096), and "0" as a number.
    {"LookupsBeyondPlainNumbers",
     "{1}{Start.}{}{}{}{}{}\r\n"
     "{01}{Zero first.}{}{}{}{1}{}\r\n"
     "{12a}{Letter after.}{}{}{}{12}{}\r\n"
     "{12}{Twelve.}{}{}{}{}{}\r\n"
     "{5000}{Beyond.}{}{}{}{50001}{}\r\n"
     "{50001}{Further.}{}{}{}{5000}{}\r\n"
     "{409}{Short of it.}{}{}{}{4097}{}\r\n"
     "{4097}{Just past.}{}{}{}{409}{}\r\n"
     "{12345678901}{Eleven digits.}{}{}{}{1234567890}{}\r\n"
     "{0}{Zero.}{}{}{}{00}{}\r\n"
     "{2}{To zero.}{}{}{}{01}{}\r\n"
     "{3}{To text.}{}{}{}{12a}{}\r\n"
     "{4}{Ahead.}{}{}{}{40970}{}\r\n"
     "{40970}{Reached.}{}{}{}{}{}\r\n",
     Repeat("7c ", 13) + "7c"},
    {"NpcByMissingJump", "{1}{a}{}{}{}\r\n{2}{b}{}{}{}{1}{}\r\n", "5c 7c"},
};

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, SameAsTheEditorsReader) {
  const std::string& bytes = GetParam().bytes;
  const Conversation fast = ReadConversation(bytes);
  EXPECT_EQ(test::FirstDifference(fast, test::ModelConversation(bytes)), "");
  EXPECT_EQ(Shape(fast), GetParam().shape);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

// The 64-byte blocks and the batches of places: every line end, "}" and field falls on each side
// of a block's edge somewhere in these.
TEST(ReadTest, SameAtEveryOffsetFromABlockEdge) {
  const std::string records = kPlain + "{2}{To 1.}{}{}{}{1}{}\r" + "}}\n" + kPlain;
  for (int shift = 0; shift < 140; ++shift) {
    const std::string bytes = std::string(shift, 'x') + "\r\n" + records;
    EXPECT_EQ(test::FirstDifference(ReadConversation(bytes), test::ModelConversation(bytes)), "")
        << "shift " << shift;
  }
}

}  // namespace
}  // namespace dlg
