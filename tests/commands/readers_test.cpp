// The first-record read of Load File over exact bytes, field by field, as the line view shows
// it with its responses. The used-number scan is fuzz/used_numbers_fuzz.cpp's, against a model.

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

struct ReadCase {
  const char* name;
  std::string file;
  std::string shown;  // number|male|female|int|conditions|jump|execution|kind, then the rows
  bool endOfResponses = false;
};
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

// The boxes, then each response row as text|number|int|marker|jump|flags of the six lists.
std::string Shown(const EditorWindow& w) {
  std::string s;
  for (const TextBox* b : {&w.lineNumber, &w.maleText, &w.femaleText, &w.intCheck,
                           &w.conditionFlags, &w.jumpLine, &w.executionFlags})
    s += b->text + "|";
  s += w.lineKind.text;
  const ListBox* lists[] = {&w.replies,    &w.replyNumbers, &w.replyIntChecks,
                            &w.replyForms, &w.replyTargets, &w.replyFlagTexts};
  for (const ListBox* l : lists) EXPECT_EQ(l->Count(), w.replies.Count());
  for (int i = 0; i < w.replies.Count(); ++i)
    for (const ListBox* l : lists) s += (l == lists[0] ? " / " : "|") + l->ItemAt(i);
  return s;
}

// One response row: text|number|int|marker|jump|flags text.
std::string Reply(const std::string& head, const std::string& cond = "",
                  const std::string& exec = "") {
  return " / " + head + "|CONDITIONAL FLAGS::  " + cond + "\r\nEXECUTION FLAGS::  " + exec;
}
const std::string kNpc1 = "{1}{Hi.}{}{}{}{}{}\r\n", kPc3 = "{3}{Bye.}{}{8}{}{0}{}\r\n";
const std::string k1 = "1|Hi.||||||NPC", kR3 = Reply("Bye.|3|8|Male|0");
// clang-format off
const ReadCase kReads[] = {
    {"ResponsesUpToTheNextNpcLine", kNpc1 + kPc3 + "{10}{Who?}{}{}{}{ }{}\r\n" + kPc3, k1 + kR3,
     true},
    {"FemaleFormIsASecondRow", kNpc1 + "{7}{Yes.}{Oui.}{12}{a}{20}{b}\r\n",
     k1 + Reply("Yes.|7|12|Male|20", "a", "b") + Reply("Oui.|7|12|female|20", "a", "b")},
    {"BlankLineAmongResponses", kNpc1 + "\r\n" + kPc3, k1 + kR3},
    {"PcLineFirst", kPc3 + kPc3, "3|Bye.||8||0||PC"},
    {"BlankJumpIsNpc", "{4}{Hm.}{}{}{}{ }{}\r\n" + kPc3, "4|Hm.|||| ||NPC" + kR3},
    {"UnendedLastResponse", kNpc1 + "{3}{Bye.}{}{8}{}{0}{}", k1 + kR3},
    {"CutInTheLastField", kNpc1 + "{3}{Bye.}{}{8}{}{0}{pc.ba", k1 + kR3 + "pc.ba"},
    {"CutBeforeTheLastField", kNpc1 + "{3}{Bye.}{}{8}{}{0", k1},
    {"Empty", "", "|||||||"},
    {"AnyOpener", "<1}{Hi.}{}{}{}{}{}\r\n", k1},
    {"BraceAndBreakInAField", "{1}{a{b\r\nc}{}{}{}{}{}\r\n", "1|a{b\r\nc||||||NPC"},
    {"CloseAsOpener", "}{x}{}{}{}{}{}\r\n" + kPc3, "|||||||"},
    {"CutInTheNumber", "{123", "123|||||||"},
    // A blank first line: the CR opens the number, which takes the LF and the "{".
    {"BlankFirstLine", "\r\n" + kNpc1, "\n{" + k1},
    // Fewer than seven fields: the CR and the next line are read into the missing fields.
    {"FewerFields", "{1}{a}{b}\r\n{c}{d}{e}{f}\r\n", "1|a|b|\n{c|d|e|f|PC"},
    // Something other than CR after the seventh field: six more fields are appended.
    {"MoreFields", "{1}{a}{b}{c}{d}{}{e}X{f}{g}{h}{i}{}{j}\r\n", "1|af|bg|ch|di||ej|NPC"},
    // Among responses, a character after the seventh field opens the next record's number.
    {"TwoResponsesOnALine", kNpc1 + "{2}{a}{}{}{}{5}{}{3}{b}{}{}{}{6}{}\r\n",
     k1 + Reply("a|2||Male|5") + Reply("b|3||Male|6")},
};
// clang-format on

class FirstRecordReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(FirstRecordReadTest, ShowsTheFirstRecordAndItsResponses) {
  ScriptedPlatform platform;
  Editor ed(platform);
  CharSource src(GetParam().file);
  Char ch = kNoChar;
  FirstRecordRead(src, ch, ed.state, ed.window);
  EXPECT_EQ(Shown(ed.window), GetParam().shown);
  EXPECT_EQ(ed.state.endOfResponses, GetParam().endOfResponses);
}
INSTANTIATE_TEST_SUITE_P(Files, FirstRecordReadTest, testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
