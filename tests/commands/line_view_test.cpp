// The first record of a file as the line view shows it, with its responses, over exact bytes.

#include <gtest/gtest.h>

#include "commands/editor.h"
#include "support/scripted_platform.h"

namespace dlg {
namespace {

struct Entry {
  std::string text, line, intCheck, marker, jump, flags;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e) {
  return os << "{" << e.text << "|" << e.line << "|" << e.intCheck << "|" << e.marker << "|"
            << e.jump << "|" << e.flags << "}";
}

std::string Flags(const std::string& cond, const std::string& exec) {
  return "CONDITIONAL FLAGS::  " + cond + "\r\nEXECUTION FLAGS::  " + exec;
}

struct ViewCase {
  const char* name;
  std::string file;
  // lineNumber, male, female, int, cond, jump, exec, npc
  std::vector<std::string> boxes;
  std::vector<Entry> entries;
  bool endOfResponses;
};

std::vector<Entry> Entries(const EditorWindow& w) {
  std::vector<Entry> out;
  for (int i = 0; i < w.lstresponses.Count(); ++i) {
    out.push_back({w.lstresponses.ItemAt(i), w.lsthideline.ItemAt(i), w.lstint.ItemAt(i),
                   w.lstForM.ItemAt(i), w.lstline.ItemAt(i), w.lstflags.ItemAt(i)});
  }
  return out;
}

class LineViewTest : public testing::TestWithParam<ViewCase> {};

TEST_P(LineViewTest, ShowsFirstRecordAndItsResponses) {
  const ViewCase& c = GetParam();
  test::ScriptedPlatform platform;
  Editor ed(platform);
  EditorWindow& w = ed.window;
  CharSource src(c.file);
  Char ch = kNoChar;
  FirstRecordRead(src, ch, ed.state, w);

  std::vector<std::string> boxes = {w.txtLineNum.text,  w.txtDialogue.text, w.txtfemale.text,
                                    w.txtIntCheck.text, w.txtFlags1.text,   w.txtlinejump.text,
                                    w.txtflags2.text,   w.txtnpc.text};
  EXPECT_EQ(boxes, c.boxes);
  EXPECT_EQ(Entries(w), c.entries);
  // The six columns always stay parallel.
  for (const ListBox* l : {&w.lsthideline, &w.lstint, &w.lstForM, &w.lstline, &w.lstflags}) {
    EXPECT_EQ(l->Count(), w.lstresponses.Count());
  }
  EXPECT_EQ(ed.state.endOfResponses, c.endOfResponses);
}

const std::string kNpc1 = "{1}{Greetings, traveller.}{}{}{}{}{}\r\n";
const std::string kPc2 = "{2}{Who are you?}{}{}{}{10}{}\r\n";
const std::string kPc3 = "{3}{Farewell.}{}{8}{}{0}{}\r\n";
const std::string kNpc10 = "{10}{Who goes there?}{}{}{}{ }{}\r\n";
const std::vector<std::string> kNpc1Boxes = {"1", "Greetings, traveller.", "", "", "", "", "", "NPC"};
const Entry kE2 = {"Who are you?", "2", "", "Male", "10", Flags("", "")};
const Entry kE3 = {"Farewell.", "3", "8", "Male", "0", Flags("", "")};

INSTANTIATE_TEST_SUITE_P(
    Cases, LineViewTest,
    testing::Values(
        ViewCase{"GroupEndsAtNextNpcLine", kNpc1 + kPc2 + kPc3 + kNpc10, kNpc1Boxes, {kE2, kE3}, true},
        ViewCase{"NpcFollowedByNpc", kNpc1 + kNpc10 + kPc2, kNpc1Boxes, {}, true},
        ViewCase{"FemaleGivesSecondEntry",
                 kNpc1 + "{7}{Yes.}{Oui.}{12}{a}{20}{b}\r\n",
                 kNpc1Boxes,
                 {{"Yes.", "7", "12", "Male", "20", Flags("a", "b")},
                  {"Oui.", "7", "12", "female", "20", Flags("a", "b")}},
                 false},
        ViewCase{"BlankLineBetweenResponses", kNpc1 + kPc2 + "\r\n" + kPc3, kNpc1Boxes, {kE2, kE3}, false},
        ViewCase{"FirstRecordIsPc", kPc2 + kPc3, {"2", "Who are you?", "", "", "", "10", "", "PC"}, {}, false},
        ViewCase{"SpaceJumpIsNpc", "{4}{Hm.}{}{}{}{ }{}\r\n" + kPc3,
                 {"4", "Hm.", "", "", "", " ", "", "NPC"}, {kE3}, false},
        ViewCase{"TwoSpaceJumpIsPc", "{4}{Hm.}{}{}{}{  }{}\r\n" + kPc3,
                 {"4", "Hm.", "", "", "", "  ", "", "PC"}, {}, false},
        ViewCase{"NpcIsLastRecord", kNpc1, kNpc1Boxes, {}, false},
        ViewCase{"LastLineWithoutCrLf", kNpc1 + "{3}{Farewell.}{}{8}{}{0}{}", kNpc1Boxes, {kE3}, false},
        ViewCase{"CutInsideExecutionFlags", kNpc1 + "{3}{Farewell.}{}{8}{}{0}{pc.ba",
                 kNpc1Boxes, {{"Farewell.", "3", "8", "Male", "0", Flags("", "pc.ba")}}, false},
        ViewCase{"CutInsideJump", kNpc1 + "{3}{Farewell.}{}{8}{}{0", kNpc1Boxes, {}, false},
        ViewCase{"EmptyFile", "", {"", "", "", "", "", "", "", ""}, {}, false},
        ViewCase{"FirstLineBeginsWithBrace", "}{x}{}{}{}{}{}\r\n" + kPc2,
                 {"", "", "", "", "", "", "", ""}, {}, false},
        ViewCase{"FirstLineWithoutBrace", "{123", {"123", "", "", "", "", "", "", ""}, {}, false},
        // A blank first line: the CR opens the number, which takes the LF and the "{".
        ViewCase{"BlankFirstLine", "\r\n" + kNpc1, {"\n{1", "Greetings, traveller.", "", "", "", "", "", "NPC"}, {}, false},
        // Fewer than seven fields: the CR and the next line are read into the missing fields.
        ViewCase{"ShortLineReadsOn", "{1}{a}{b}\r\n{c}{d}{e}{f}\r\n",
                 {"1", "a", "b", "\n{c", "d", "e", "f", "PC"}, {}, false},
        // Something other than CR after the seventh field: six more fields are appended.
        ViewCase{"CharacterAfterSeventhField", "{1}{a}{b}{c}{d}{}{e}X{f}{g}{h}{i}{}{j}\r\n",
                 {"1", "af", "bg", "ch", "di", "", "ej", "NPC"}, {}, false},
        // In a group, a character after the seventh field opens the next record's number.
        ViewCase{"ResponseRunsIntoNext", kNpc1 + "{2}{a}{}{}{}{5}{}{3}{b}{}{}{}{6}{}\r\n", kNpc1Boxes,
                 {{"a", "2", "", "Male", "5", Flags("", "")}, {"b", "3", "", "Male", "6", Flags("", "")}},
                 false},
        ViewCase{"ResponseWithBraceFirst", kNpc1 + "}{a}{}{}{}{5}{}\r\n", kNpc1Boxes,
                 {{"a", "", "", "Male", "5", Flags("", "")}}, false}),
    [](const auto& info) { return info.param.name; });

TEST(LineViewClicks, FlagsOfClickedEntryAndNpcChoice) {
  test::ScriptedPlatform platform;
  Editor ed(platform);
  EditorWindow& w = ed.window;
  w.lstresponses.items = {"a", "b"};
  w.lstflags.items = {"first", "second"};
  w.lstresponses.selected = 1;
  lstresponses_Click(ed);
  EXPECT_EQ(w.txtflags.text, "second");

  w.lstnpc.text = "PC";
  lstnpc_Click(ed);
  EXPECT_TRUE(w.txtlinejump.enabled);
  w.lstnpc.text = "NPC";
  lstnpc_Click(ed);
  EXPECT_FALSE(w.txtlinejump.enabled);
}

}  // namespace
}  // namespace dlg
