// "Save", "Save As", "Unload File" and "Quit" over real files, with faults put in through the
// file system seam.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>

#include "commands/editor.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using test::OpKind;
using test::ShownBox;

const std::string kOld = "{1}{Old}{}{}{}{}{}\r\n";
const std::string kEdited = "{1}{New}{}{}{}{}{}\r\n{2}{Reply}{}{}{}{0}{}\r\n";
const ShownBox kSaved{"Changes Have Been Saved", "Saving Changes", MsgButtons::Ok,
                      MsgIcon::Information};
const ShownBox kQuit{"Are you sure you want to quit?", "Quit?", MsgButtons::YesNo, MsgIcon::None};

ShownBox Critical(const std::string& text) {
  return {text, "File Error", MsgButtons::Ok, MsgIcon::Critical};
}

// An editor as Load File leaves it on "a.dlg", with an edited working copy, a line shown and a
// new line half prepared.
class SaveCloseTest : public testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedPlatform platform;
  test::FailingFileOps ops;
  std::optional<Editor> editor;

  void SetUp() override { Reload(); }

  // Also starts each row of a table afresh.
  void Reload() {
    platform = {};
    platform.ops = &ops;
    ops.Reset();
    editor.emplace(platform);
    for (const std::string& name : Names()) std::filesystem::remove_all(dir.File(name));
    dir.Put("a.dlg", kOld);
    dir.Put("a.dlg.bak", kEdited);
    Editor& ed = *editor;
    ed.state.dialoguePath = dir.File("a.dlg");
    ed.state.fileLoaded = ed.state.newLineMode = true;
    EditorWindow& w = ed.window;
    w.caption = "Ashgloam -DLG Editor - a.dlg";
    w.File1.path = dir.Path();
    w.File1.fileName = "a.dlg";
    for (bool* b : {&w.File1.enabled, &w.Command2.enabled, &w.Dir1.enabled, &w.Drive1.enabled})
      *b = false;
    for (bool* b : {&w.Frame1.enabled, &w.Command8.enabled, &w.Command9.enabled,
                    &w.Commandsave.enabled, &w.cmdsaveline.visible, &w.lstnpc.visible}) {
      *b = true;
    }
    w.txtnpc.visible = w.Command7.visible = w.txtlinejump.enabled = false;
    w.txtLineNum.text = "3";
    w.txtDialogue.text = "Hi";
    w.lstresponses.items = {"Bye"};
    w.lstusednum.items = {"1", "2"};
    w.txtaddline.text = "3";
    ed.flagEditor.emplace();
  }

  Editor& ed() { return *editor; }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
      names.insert(e.path().filename().string());
    }
    return names;
  }
};

TEST_F(SaveCloseTest, Save) {
  const std::string ask = "Are you sure you wish to overwrite " + dir.File("a.dlg") + "?";
  const ShownBox question{ask, "Oberwrite?", MsgButtons::YesNo, MsgIcon::None};
  struct Case {
    const char* name;
    MsgAnswer answer;
    std::optional<test::Fault> fault;
    bool removeWorkingCopy;
    std::vector<ShownBox> boxes;
    std::string saved;
  };
  const Case cases[] = {
      {"no", MsgAnswer::No, {}, false, {question}, kOld},
      {"yes", MsgAnswer::Yes, {}, false, {question, kSaved}, kEdited},
      {"missing working copy",
       MsgAnswer::Yes,
       {},
       true,
       {question, Critical("Cannot read " + dir.File("a.dlg.bak") + ": No such file or directory")},
       kOld},
      // The second open is the temporary file beside a.dlg.
      {"read-only folder",
       MsgAnswer::Yes,
       test::Fault{OpKind::Open, 2, false, EROFS},
       false,
       {question, Critical("Cannot write " + dir.File("a.dlg") + ": Read-only file system")},
       kOld},
      {"disk full",
       MsgAnswer::Yes,
       test::Fault{OpKind::Write, 1, false, ENOSPC},
       false,
       {question, Critical("Cannot write " + dir.File("a.dlg") + ": No space left on device")},
       kOld},
  };
  for (const Case& c : cases) {
    Reload();
    platform.answers = {c.answer};
    if (c.fault) ops.Arm(*c.fault);
    if (c.removeWorkingCopy) std::filesystem::remove(dir.File("a.dlg.bak"));
    Commandsave_Click(ed());
    EXPECT_EQ(platform.boxes, c.boxes) << c.name;
    EXPECT_EQ(test::ReadBytes(dir.File("a.dlg")), c.saved) << c.name;
    std::set<std::string> names{"a.dlg"};
    if (!c.removeWorkingCopy) names.insert("a.dlg.bak");
    EXPECT_EQ(Names(), names) << c.name;
  }
}

TEST_F(SaveCloseTest, SaveAs) {
  const std::string tooLong(300, 'n');
  struct Case {
    std::string entry;
    std::string written;  // "" when nothing is written
    std::vector<ShownBox> boxes;
  };
  const Case cases[] = {
      {"", "", {}},
      {"x", "x.dlg", {kSaved}},
      {"x.dlg", "x.dlg.dlg", {kSaved}},
      {"a", "a.dlg", {kSaved}},  // the loaded file itself, without a question
      {"no/x",
       "",
       {Critical("Cannot write " + dir.File("no/x.dlg") + ": No such file or directory")}},
      {tooLong,
       "",
       {Critical("Cannot write " + dir.File(tooLong + ".dlg") + ": File name too long")}},
  };
  for (const Case& c : cases) {
    Reload();
    platform.inputs = {c.entry};
    Command9_Click(ed());
    EXPECT_EQ(platform.prompts, std::vector<std::string>{"Enter the name for the new .DLG file: "});
    EXPECT_EQ(platform.boxes, c.boxes) << c.entry;
    std::set<std::string> names{"a.dlg", "a.dlg.bak", c.written};
    names.erase("");
    EXPECT_EQ(Names(), names) << c.entry;
    if (!c.written.empty()) {
      EXPECT_EQ(test::ReadBytes(dir.File(c.written)), kEdited);
    }
    EXPECT_EQ(test::ReadBytes(dir.File("a.dlg")), c.written == "a.dlg" ? kEdited : kOld);
    EXPECT_EQ(ed().state.dialoguePath, dir.File("a.dlg"));
    EXPECT_EQ(ed().window.caption, "Ashgloam -DLG Editor - a.dlg");
  }
}

TEST_F(SaveCloseTest, SaveAfterSaveAsWritesTheLoadedFile) {
  platform.inputs = {"copy"};
  platform.answers = {MsgAnswer::Yes};
  Command9_Click(ed());
  dir.Put("a.dlg.bak", "{1}{Later}{}{}{}{}{}\r\n");
  Commandsave_Click(ed());
  EXPECT_EQ(platform.boxes.at(1).text,
            "Are you sure you wish to overwrite " + dir.File("a.dlg") + "?");
  EXPECT_EQ(test::ReadBytes(dir.File("a.dlg")), "{1}{Later}{}{}{}{}{}\r\n");
  EXPECT_EQ(test::ReadBytes(dir.File("copy.dlg")), kEdited);
}

TEST_F(SaveCloseTest, UnloadNoKeepsEverythingAndQuitStillAsks) {
  Command8_Click(ed());
  EXPECT_EQ(platform.boxes, (std::vector<ShownBox>{{"Really unload " + dir.File("a.dlg") + "?",
                                                    "Unload?", MsgButtons::YesNo, MsgIcon::None}}));
  EXPECT_TRUE(ed().state.fileLoaded);
  EXPECT_EQ(ed().window.caption, "Ashgloam -DLG Editor - a.dlg");
  EXPECT_EQ(ed().window.txtDialogue.text, "Hi");
  EXPECT_TRUE(ed().window.Frame1.enabled);
  EXPECT_TRUE(test::FileExists(dir.File("a.dlg.bak")));
  Command6_Click(ed());
  EXPECT_EQ(platform.boxes.back(), kQuit);
}

TEST_F(SaveCloseTest, UnloadYesReturnsToNoFileState) {
  for (bool undeletable : {false, true}) {
    Reload();
    if (undeletable) ops.FailCall(OpKind::Unlink, 1, EACCES);
    dir.Put("a.dlg.bok", "");  // left by a field box while a new line was typed
    platform.answers = {MsgAnswer::Yes};
    Command8_Click(ed());
    EXPECT_FALSE(test::FileExists(dir.File("a.dlg.bok")));
    const EditorWindow& w = ed().window;
    EXPECT_EQ(platform.boxes.size(), undeletable ? 2u : 1u);
    if (undeletable) {
      EXPECT_EQ(platform.boxes[1],
                Critical("Cannot delete " + dir.File("a.dlg.bak") + ": Permission denied"));
    }
    EXPECT_EQ(test::FileExists(dir.File("a.dlg.bak")), undeletable);
    EXPECT_FALSE(ed().state.fileLoaded);
    EXPECT_FALSE(ed().state.newLineMode);
    EXPECT_EQ(w.caption, "Ashgloam -DLG Editor");
    for (const TextBox* t : {&w.txtLineNum, &w.txtDialogue, &w.txtaddline}) EXPECT_EQ(t->text, "");
    EXPECT_EQ(w.lstresponses.Count() + w.lstusednum.Count(), 0);
    for (bool on : {w.Command2.enabled, w.File1.enabled, w.Dir1.enabled, w.Drive1.enabled,
                    w.txtnpc.visible, w.Command7.visible, w.txtlinejump.enabled}) {
      EXPECT_TRUE(on) << undeletable;
    }
    for (bool off : {w.Frame1.enabled, w.Command8.enabled, w.Command9.enabled,
                     w.Commandsave.enabled, w.cmdsaveline.visible, w.lstnpc.visible}) {
      EXPECT_FALSE(off) << undeletable;
    }
  }
}

TEST_F(SaveCloseTest, QuitAndWindowClose) {
  struct Case {
    const char* name;
    bool loaded, byClose;
    MsgAnswer answer;
    int unlinkError;
    std::vector<ShownBox> boxes;
    bool ends, workingCopyKept;
  };
  const ShownBox undeletable =
      Critical("Cannot delete " + dir.File("a.dlg.bak") + ": Input/output error");
  const Case cases[] = {
      {"no file", false, false, MsgAnswer::No, 0, {}, true, true},
      {"no file, closed", false, true, MsgAnswer::No, 0, {}, true, true},
      {"yes", true, false, MsgAnswer::Yes, 0, {kQuit}, true, false},
      {"yes, closed", true, true, MsgAnswer::Yes, 0, {kQuit}, true, false},
      {"no stays open", true, false, MsgAnswer::No, 0, {kQuit}, false, true},
      {"no, close refused", true, true, MsgAnswer::No, 0, {kQuit}, false, true},
      {"yes, undeletable", true, false, MsgAnswer::Yes, EIO, {kQuit, undeletable}, true, true},
  };
  for (const Case& c : cases) {
    Reload();
    ed().state.fileLoaded = c.loaded;
    platform.answers = {c.answer};
    if (c.unlinkError) ops.FailCall(OpKind::Unlink, 1, c.unlinkError);
    dir.Put("a.dlg.bok", "");
    if (c.byClose) {
      EXPECT_EQ(Form_Unload(ed()), c.ends) << c.name;
    } else {
      Command6_Click(ed());
    }
    EXPECT_EQ(platform.boxes, c.boxes) << c.name;
    EXPECT_EQ(platform.ended, c.ends) << c.name;
    EXPECT_EQ(ed().flagEditor.has_value(), !c.ends) << c.name;
    EXPECT_EQ(test::FileExists(dir.File("a.dlg.bak")), c.workingCopyKept) << c.name;
    EXPECT_EQ(test::FileExists(dir.File("a.dlg.bok")), !c.loaded || c.answer == MsgAnswer::No)
        << c.name;
    // Nothing else moves when the editor stays open.
    EXPECT_EQ(ed().window.txtDialogue.text, "Hi") << c.name;
    EXPECT_EQ(ed().state.fileLoaded, c.loaded) << c.name;
    EXPECT_EQ(test::ReadBytes(dir.File("a.dlg")), kOld) << c.name;
  }
}

}  // namespace
}  // namespace dlg
