// "Load File" over real files, and its two readers over exact bytes: the first record as the
// line view shows it, with its responses, and the used-number scan.

#include <gtest/gtest.h>

#include "support/loaded_editor.h"

namespace dlg {
namespace {

using List = std::vector<std::string>;

// The boxes in one line: number|male|female|int|conditions|jump|execution|kind.
std::string Boxes(const EditorWindow& w) {
  std::string s;
  for (const TextBox* b : {&w.txtLineNum, &w.txtDialogue, &w.txtfemale, &w.txtIntCheck,
                           &w.txtFlags1, &w.txtlinejump, &w.txtflags2})
    s += b->text + "|";
  return s + w.txtnpc.text;
}
// One response in one line: text|number|int|marker|jump|flags, the six parallel lists.
List Entries(const EditorWindow& w) {
  List out;
  for (int i = 0; i < w.lstresponses.Count(); ++i)
    out.push_back(w.lstresponses.ItemAt(i) + "|" + w.lsthideline.ItemAt(i) + "|" +
                  w.lstint.ItemAt(i) + "|" + w.lstForM.ItemAt(i) + "|" + w.lstline.ItemAt(i) + "|" +
                  w.lstflags.ItemAt(i));
  for (const ListBox* l : {&w.lsthideline, &w.lstint, &w.lstForM, &w.lstline, &w.lstflags})
    EXPECT_EQ(l->Count(), w.lstresponses.Count());
  return out;
}
std::string E(const std::string& head, const std::string& cond = "", const std::string& exec = "") {
  return head + "|CONDITIONAL FLAGS::  " + cond + "\r\nEXECUTION FLAGS::  " + exec;
}

TEST(FirstRecordRead, ShowsTheFirstRecordAndItsResponses) {
  const std::string kNpc1 = "{1}{Greetings, traveller.}{}{}{}{}{}\r\n";
  const std::string kPc2 = "{2}{Who are you?}{}{}{}{10}{}\r\n",
                    kPc3 = "{3}{Farewell.}{}{8}{}{0}{}\r\n";
  const std::string kNpc10 = "{10}{Who goes there?}{}{}{}{ }{}\r\n";
  const std::string k1 = "1|Greetings, traveller.||||||NPC", kNone = "|||||||";
  const std::string kE2 = E("Who are you?|2||Male|10"), kE3 = E("Farewell.|3|8|Male|0");
  // clang-format off
  const struct {
    std::string file, boxes;
    List entries;
    bool endOfResponses;
  } kCases[] = {
      {kNpc1 + kPc2 + kPc3 + kNpc10, k1, {kE2, kE3}, true},
      {kNpc1 + kNpc10 + kPc2, k1, {}, true},
      {kNpc1 + "{7}{Yes.}{Oui.}{12}{a}{20}{b}\r\n", k1,
       {E("Yes.|7|12|Male|20", "a", "b"), E("Oui.|7|12|female|20", "a", "b")}, false},
      {kNpc1 + kPc2 + "\r\n" + kPc3, k1, {kE2, kE3}, false},  // a blank line among responses
      {kPc2 + kPc3, "2|Who are you?||||10||PC", {}, false},
      {"{4}{Hm.}{}{}{}{ }{}\r\n" + kPc3, "4|Hm.|||| ||NPC", {kE3}, false},
      {kNpc1, k1, {}, false},
      {kNpc1 + "{3}{Farewell.}{}{8}{}{0}{}", k1, {kE3}, false},
      {kNpc1 + "{3}{Farewell.}{}{8}{}{0}{pc.ba", k1, {E("Farewell.|3|8|Male|0", "", "pc.ba")},
       false},
      {kNpc1 + "{3}{Farewell.}{}{8}{}{0", k1, {}, false},
      {"", kNone, {}, false},
      {"}{x}{}{}{}{}{}\r\n" + kPc2, kNone, {}, false},
      {"{123", "123" + kNone, {}, false},
      // A blank first line: the CR opens the number, which takes the LF and the "{".
      {"\r\n" + kNpc1, "\n{" + k1, {}, false},
      // Fewer than seven fields: the CR and the next line are read into the missing fields.
      {"{1}{a}{b}\r\n{c}{d}{e}{f}\r\n", "1|a|b|\n{c|d|e|f|PC", {}, false},
      // Something other than CR after the seventh field: six more fields are appended.
      {"{1}{a}{b}{c}{d}{}{e}X{f}{g}{h}{i}{}{j}\r\n", "1|af|bg|ch|di||ej|NPC", {}, false},
      // In a group, a character after the seventh field opens the next record's number.
      {kNpc1 + "{2}{a}{}{}{}{5}{}{3}{b}{}{}{}{6}{}\r\n", k1, {E("a|2||Male|5"), E("b|3||Male|6")},
       false},
      {kNpc1 + "}{a}{}{}{}{5}{}\r\n", k1, {E("a|||Male|5")}, false},
  };
  // clang-format on
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.file);
    test::ScriptedPlatform platform;
    Editor ed(platform);
    CharSource src(c.file);
    Char ch = kNoChar;
    FirstRecordRead(src, ch, ed.state, ed.window);
    EXPECT_EQ(Boxes(ed.window), c.boxes);
    EXPECT_EQ(Entries(ed.window), c.entries);
    EXPECT_EQ(ed.state.endOfResponses, c.endOfResponses);
  }
}

TEST(UsedNumberScan, ListsTheNumbersUpToABlankLine) {
  // clang-format off
  const struct {
    std::string file;
    List numbers;
    std::string last;
  } kCases[] = {
      {"{1}{}\r\n{2}{}\r\n\r\n{3}{}\r\n", {"1", "2"}, "2"},
      {"{}{a}\r\n{4}{}\r\n", {"", "4"}, "4"},
      {"}{a}\r\n{4}{}\r\n", {"4"}, "4"},
      {"{1}{}\r\n{2\r\n{3}\r\n", {"1"}, "1"},
      {"{1}{}\n{2}{}\r\n{3}{}\r\n", {"1", "3"}, "3"},
      {"{1}{}\r\n{2}{}", {"1", "2"}, "2"},
      {"{1}{}\r\n{2", {"1"}, "1"},
      {"", {}, ""},
  };
  // clang-format on
  for (const auto& c : kCases) {
    test::ScriptedPlatform platform;
    Editor ed(platform);
    CharSource src(c.file);
    UsedNumberScan(src, ed.state, ed.window);
    EXPECT_EQ(ed.window.lstusednum.items, c.numbers) << c.file;
    EXPECT_EQ(ed.state.lastLineNumber, c.last) << c.file;
  }
}

TEST(LoadFile, ShowsTheFirstRecordListsTheNumbersAndMakesTheWorkingCopy) {
  const std::string bytes =
      "{1}{Hello}{}{}{}{}{}\r\n{2}{Hi}{Hey}{}{}{5}{}\r\n{5}{Bye}{}{}{}{}{}\r\n{3}{x}{}{}{}{0}{}"
      "\r\n";
  test::LoadedEditor s(bytes);
  const EditorWindow& w = s.ed.window;
  EXPECT_EQ(s.Boxes(), List{});
  EXPECT_EQ(Boxes(w), "1|Hello||||||NPC");
  EXPECT_EQ(w.lstresponses.items, (List{"Hi", "Hey"}));
  EXPECT_EQ(w.lstusednum.items, (List{"1", "2", "5", "3"}));
  EXPECT_EQ(s.ed.state.lastLineNumber, "3");
  EXPECT_EQ(s.ed.state.dialoguePath, s.dir.File("a.dlg"));
  EXPECT_EQ(s.Copy(), bytes);
  EXPECT_EQ(w.caption, "Ashgloam -DLG Editor - a.dlg");
  EXPECT_TRUE(s.ed.state.fileLoaded && w.Frame1.enabled);
  EXPECT_FALSE(w.Command2.enabled || w.File1.enabled || w.Dir1.enabled || w.Drive1.enabled);
  EXPECT_TRUE(w.Command8.enabled && w.Command9.enabled && w.Commandsave.enabled);
  // Odd files load whole, without hanging.
  for (const std::string odd : {"", "}{x}{}{}{}{}{}\r\n{2}{}\r\n", "{1}{abc", "{12"}) {
    test::LoadedEditor o(odd);
    EXPECT_TRUE(o.ed.state.fileLoaded && o.ed.window.Command8.enabled) << odd;
    EXPECT_EQ(o.Copy(), odd);
  }
}

TEST(LoadFile, NothingSelectedOrUnreadableLoadsNothing) {
  const struct {
    std::string file, box;
  } kCases[] = {
      {"", "none Select a .DLG file: Please select a dialogue (*.DLG) file"},
      {"missing.dlg",
       "critical File Error: Cannot read DIR/missing.dlg: No such file or directory"},
  };
  for (const auto& c : kCases) {
    test::LoadedEditor s("");
    s.ed.window = {};  // as at start-up
    s.ed.state = {};
    s.ed.window.File1.path = s.dir.Path();
    s.ed.window.File1.fileName = c.file;
    Command2_Click(s.ed);
    EXPECT_EQ(s.Boxes(), List{c.box});
    EXPECT_FALSE(s.ed.state.fileLoaded || s.ed.window.Frame1.enabled);
    EXPECT_TRUE(s.ed.window.Command2.enabled);
    EXPECT_EQ(s.ed.window.caption, "Ashgloam -DLG Editor");
    EXPECT_FALSE(test::FileExists(s.dir.File("missing.dlg.bak")));
  }
}

TEST(LoadFile, BrowseListsFoldersAndDialoguesOnly) {
  test::LoadedEditor s("");
  for (const char* name : {"b.dlg", "a.DLG", "notes.txt"}) s.dir.Put(name, "");
  std::filesystem::create_directory(s.dir.File("sub"));
  Dir1_Change(s.ed, s.dir.Path());
  EXPECT_EQ(s.ed.window.File1.files, (List{"a.DLG", "a.dlg", "b.dlg"}));
  EXPECT_EQ(s.ed.window.Dir1.subfolders, List{"sub"});
  EXPECT_EQ(s.ed.window.Dir1.ancestors.front(), "/");
  EXPECT_EQ(s.ed.window.Dir1.ancestors.back(), s.dir.Path());
  Dir1_Change(s.ed, s.dir.File("nowhere"));
  ASSERT_EQ(s.platform.boxes.size(), 1u);
  EXPECT_EQ(s.platform.boxes[0].icon, MsgIcon::Critical);
  EXPECT_EQ(s.ed.window.Dir1.path, s.dir.Path());
}

TEST(LineView, AClickShowsTheEntrysFlagsAndTheKindSetsTheJumpBox) {
  test::ScriptedPlatform platform;
  Editor ed(platform);
  EditorWindow& w = ed.window;
  w.lstresponses.items = {"a", "b"};
  w.lstflags.items = {"first", "second"};
  w.lstresponses.selected = 1;
  lstresponses_Click(ed);
  EXPECT_EQ(w.txtflags.text, "second");
  for (bool pc : {true, false}) {
    w.lstnpc.text = pc ? "PC" : "NPC";
    lstnpc_Click(ed);
    EXPECT_EQ(w.txtlinejump.enabled, pc);
  }
}

}  // namespace
}  // namespace dlg
