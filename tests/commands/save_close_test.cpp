// "Save", "Save As", "Unload File" and "Quit" over real files, with faults put in through the
// file system seam.

#include <gtest/gtest.h>

#include <optional>

#include "support/loaded_editor.h"

namespace dlg {
namespace {

using test::OpKind;
using Boxes = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;

const std::string kOld = "{1}{Old}{}{}{}{}{}\r\n";
const std::string kEdited = "{1}{New}{}{}{}{}{}\r\n{2}{Reply}{}{}{}{0}{}\r\n";
const std::string kSaved = "information Saving Changes: Changes Have Been Saved";
const std::string kQuit = "yes/no none Quit?: Are you sure you want to quit?";
const std::string kError = "critical File Error: Cannot ";

// "a.dlg" loaded, its working copy edited, a new line half prepared and the Flag Editor open.
struct Session : test::LoadedEditor {
  Session() : LoadedEditor(kOld) {
    dir.Put("a.dlg.bak", kEdited);
    ed.window.txtaddline.text = "3";
    cmdaddline_Click(ed);
    Command10_Click(ed);
    ed.window.txtDialogue.text = "Hi";
  }
};

TEST(Save, AsksThenCopiesTheWorkingCopyOverTheFile) {
  const std::string ask = "yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?";
  // clang-format off
  const struct {
    MsgAnswer answer;
    std::optional<test::Fault> fault;
    bool noWorkingCopy;
    Boxes boxes;
    std::string saved;
  } kCases[] = {
      {MsgAnswer::No, {}, false, {ask}, kOld},
      {MsgAnswer::Yes, {}, false, {ask, kSaved}, kEdited},
      {MsgAnswer::Yes, {}, true,
       {ask, kError + "read DIR/a.dlg.bak: No such file or directory"}, kOld},
      // The second open is the temporary file beside a.dlg.
      {MsgAnswer::Yes, test::Fault{OpKind::Open, 2, false, EROFS}, false,
       {ask, kError + "write DIR/a.dlg: Read-only file system"}, kOld},
      {MsgAnswer::Yes, test::Fault{OpKind::Write, 1, false, ENOSPC}, false,
       {ask, kError + "write DIR/a.dlg: No space left on device"}, kOld},
  };
  // clang-format on
  for (const auto& c : kCases) {
    Session s;
    s.platform.answers = {c.answer};
    if (c.fault) s.ops.Arm(*c.fault);
    if (c.noWorkingCopy) std::filesystem::remove(s.dir.File("a.dlg.bak"));
    Commandsave_Click(s.ed);
    EXPECT_EQ(s.Boxes(), c.boxes);
    Folder want{{"a.dlg", c.saved}, {"a.dlg.bak", kEdited}};
    if (c.noWorkingCopy) want.erase("a.dlg.bak");
    EXPECT_EQ(s.Folder(), want);
  }
}

TEST(SaveAs, WritesTheWorkingCopyUnderTheNameEnteredAndLoadsNothingElse) {
  const std::string tooLong(300, 'n');
  // clang-format off
  const struct {
    std::string entry, written;  // written: "" when nothing is
    Boxes boxes;
  } kCases[] = {
      {"", "", {}},
      {"x", "x.dlg", {kSaved}},
      {"x.dlg", "x.dlg.dlg", {kSaved}},
      {"a", "a.dlg", {kSaved}},  // the loaded file itself, without a question
      {"no/x", "", {kError + "write DIR/no/x.dlg: No such file or directory"}},
      {tooLong, "", {kError + "write DIR/" + tooLong + ".dlg: File name too long"}},
  };
  // clang-format on
  for (const auto& c : kCases) {
    Session s;
    s.platform.inputs = {c.entry};
    Command9_Click(s.ed);
    EXPECT_EQ(s.platform.prompts, Boxes{"Enter the name for the new .DLG file: "});
    EXPECT_EQ(s.Boxes(), c.boxes);
    Folder want{{"a.dlg", kOld}, {"a.dlg.bak", kEdited}};
    if (!c.written.empty()) want[c.written] = kEdited;
    EXPECT_EQ(s.Folder(), want) << c.entry;
    EXPECT_EQ(s.ed.state.dialoguePath, s.dir.File("a.dlg"));
    EXPECT_EQ(s.ed.window.caption, "Ashgloam -DLG Editor - a.dlg");
  }
  Session s;  // and Save still writes the loaded file
  s.platform.inputs = {"copy"};
  s.platform.answers = {MsgAnswer::Yes};
  Command9_Click(s.ed);
  Commandsave_Click(s.ed);
  EXPECT_EQ(s.Folder(),
            (Folder{{"a.dlg", kEdited}, {"a.dlg.bak", kEdited}, {"copy.dlg", kEdited}}));
}

TEST(Unload, NoKeepsEverythingYesReturnsToTheNoFileState) {
  const std::string ask = "yes/no none Unload?: Really unload DIR/a.dlg?";
  Session no;
  Command8_Click(no.ed);
  EXPECT_EQ(no.Boxes(), Boxes{ask});
  EXPECT_TRUE(no.ed.state.fileLoaded && no.ed.window.Frame1.enabled);
  EXPECT_EQ(no.ed.window.caption, "Ashgloam -DLG Editor - a.dlg");
  EXPECT_EQ(no.ed.window.txtDialogue.text, "Hi");
  EXPECT_EQ(no.Folder(), (Folder{{"a.dlg", kOld}, {"a.dlg.bak", kEdited}}));

  for (bool undeletable : {false, true}) {
    Session s;
    if (undeletable) s.ops.FailCall(OpKind::Unlink, 1, EACCES);
    s.dir.Put("a.dlg.bok", "");  // left by a field box while a new line was typed
    s.platform.answers = {MsgAnswer::Yes};
    Command8_Click(s.ed);
    Boxes boxes{ask};
    if (undeletable) boxes.push_back(kError + "delete DIR/a.dlg.bak: Permission denied");
    EXPECT_EQ(s.Boxes(), boxes);
    Folder left{{"a.dlg", kOld}};
    if (undeletable) left["a.dlg.bak"] = kEdited;
    EXPECT_EQ(s.Folder(), left);
    const EditorWindow& w = s.ed.window;
    EXPECT_FALSE(s.ed.state.fileLoaded || s.ed.state.newLineMode);
    EXPECT_EQ(w.caption, "Ashgloam -DLG Editor");
    EXPECT_EQ(w.txtLineNum.text + w.txtDialogue.text + w.txtaddline.text, "");
    EXPECT_EQ(w.lstresponses.Count() + w.lstusednum.Count(), 0);
    for (bool on : {w.Command2.enabled, w.File1.enabled, w.Dir1.enabled, w.Drive1.enabled,
                    w.txtnpc.visible, w.Command7.visible, w.txtlinejump.enabled})
      EXPECT_TRUE(on) << undeletable;
    for (bool off : {w.Frame1.enabled, w.Command8.enabled, w.Command9.enabled,
                     w.Commandsave.enabled, w.cmdsaveline.visible, w.lstnpc.visible})
      EXPECT_FALSE(off) << undeletable;
  }
}

TEST(Quit, AsksWhileAFileIsLoadedAndRemovesItsCopies) {
  const std::string kUndeletable = kError + "delete DIR/a.dlg.bak: Input/output error";
  // clang-format off
  const struct {
    bool loaded, byClose;
    MsgAnswer answer;
    int unlinkError;
    Boxes boxes;
    bool ends;
  } kCases[] = {
      {false, false, MsgAnswer::No, 0, {}, true},
      {false, true, MsgAnswer::No, 0, {}, true},
      {true, false, MsgAnswer::Yes, 0, {kQuit}, true},
      {true, true, MsgAnswer::Yes, 0, {kQuit}, true},
      {true, false, MsgAnswer::No, 0, {kQuit}, false},
      {true, true, MsgAnswer::No, 0, {kQuit}, false},  // the close is refused
      {true, false, MsgAnswer::Yes, EIO, {kQuit, kUndeletable}, true},
  };
  // clang-format on
  for (const auto& c : kCases) {
    const int row = int(&c - kCases);
    Session s;
    s.ed.state.fileLoaded = c.loaded;
    s.platform.answers = {c.answer};
    if (c.unlinkError) s.ops.FailCall(OpKind::Unlink, 1, c.unlinkError);
    s.dir.Put("a.dlg.bok", "");
    if (c.byClose) {
      EXPECT_EQ(Form_Unload(s.ed), c.ends) << row;
    } else {
      Command6_Click(s.ed);
    }
    EXPECT_EQ(s.Boxes(), c.boxes) << row;
    EXPECT_EQ(s.platform.ended, c.ends) << row;
    EXPECT_EQ(s.ed.flagEditor.has_value(), !c.ends) << row;
    const bool removed = c.loaded && c.answer == MsgAnswer::Yes;
    Folder left{{"a.dlg", kOld}, {"a.dlg.bak", kEdited}, {"a.dlg.bok", ""}};
    if (removed) left.erase("a.dlg.bok");
    if (removed && !c.unlinkError) left.erase("a.dlg.bak");
    EXPECT_EQ(s.Folder(), left) << row;
    EXPECT_EQ(s.ed.window.txtDialogue.text, "Hi") << row;  // nothing else moves
    EXPECT_EQ(s.ed.state.fileLoaded, c.loaded) << row;
  }
}

}  // namespace
}  // namespace dlg
