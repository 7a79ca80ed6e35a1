// The user's work around the working copy: recovery at Load, one editor per file, changes made
// by other programs, and files the editor did not make. A killed editor and the strays it
// leaves are the kill test's (tools/kill_test.sh); clicks through an odd file's boxes are the
// window test's.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/session.h"

namespace dlg {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;

const std::string kOld = "{1}{Old}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n";
const std::string kLeft = "{1}{Typed before the crash}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n";
const std::string kSaveAsk =
    "yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?";
const std::string kSaved = "information Saving Changes: Changes Have Been Saved";
const std::string kRecovery =
    "yes/no/cancel exclamation Unsaved Changes Found: The working copy DIR/a.dlg.bak holds changes "
    "that were never saved to DIR/a.dlg. Yes: go on with those changes. No: discard them and load "
    "the file as it is. Cancel: load nothing.";
const std::string kInUse =
    "exclamation File In Use: DIR/a.dlg is open in another editor window. Unload it there first.";

Folder FolderOf(const std::string& dir) {
  Folder files;
  for (const auto& e : fs::directory_iterator(dir))
    files[e.path().filename().string()] = test::ReadBytes(e.path().string());
  return files;
}

// A second editor window (or process) on the same folder, not yet loaded.
struct Window {
  test::ScriptedPlatform platform;
  Editor ed{platform};
  std::string folder;
  Window(const std::string& dir, const std::string& file) : folder(dir) {
    ed.window.File1.path = dir;
    ed.window.File1.fileName = file;
  }
  List Boxes() const {
    List out;
    for (const auto& b : platform.boxes) out.push_back(test::Describe(b, folder));
    return out;
  }
};

TEST(Recovery, ALeftWorkingCopyIsOfferedBeforeAnythingIsTouched) {
  // clang-format off
  const struct {
    const char* name;
    std::optional<std::string> left;  // the working copy found at Load
    MsgAnswer answer;
    List boxes;
    bool loaded;
    std::optional<std::string> copy;  // after Load
    std::string shown;                // txtDialogue
  } kCases[] = {
      {"none left", {}, MsgAnswer::Yes, {}, true, kOld, "Old"},
      {"same bytes", kOld, MsgAnswer::Yes, {}, true, kOld, "Old"},
      {"Yes goes on", kLeft, MsgAnswer::Yes, {kRecovery}, true, kLeft, "Typed before the crash"},
      {"No discards", kLeft, MsgAnswer::No, {kRecovery}, true, kOld, "Old"},
      {"Cancel loads nothing", kLeft, MsgAnswer::Cancel, {kRecovery}, false, kLeft, ""},
  };
  // clang-format on
  for (const auto& c : kCases) {
    test::TempDir dir;
    dir.Put("a.dlg", kOld);
    if (c.left) dir.Put("a.dlg.bak", *c.left);
    Window w(dir.Path(), "a.dlg");
    w.platform.answers = {c.answer};
    Command2_Click(w.ed);
    EXPECT_EQ(w.Boxes(), c.boxes) << c.name;
    EXPECT_EQ(w.ed.state.fileLoaded, c.loaded) << c.name;
    EXPECT_EQ(w.ed.window.txtDialogue.text, c.shown) << c.name;
    Folder want{{"a.dlg", kOld}};
    if (c.copy) want["a.dlg.bak"] = *c.copy;
    EXPECT_EQ(FolderOf(dir.Path()), want) << c.name;
    if (!c.loaded) continue;
    // The recovered edits go out with the next Save.
    w.platform.answers = {MsgAnswer::Yes};
    Commandsave_Click(w.ed);
    EXPECT_EQ(test::ReadBytes(dir.File("a.dlg")), *c.copy) << c.name;
  }
}

TEST(OneEditorPerFile, ASecondLoadByAnyPathIsRefusedUntilTheFirstUnloads) {
  test::Session first(kOld);
  test::TempDir elsewhere;
  fs::create_symlink(first.dir.File("a.dlg"), elsewhere.File("link.dlg"));
  fs::create_hard_link(first.dir.File("a.dlg"), first.dir.File("hard.dlg"));
  first.ed.window.txtDialogue.text = "Edited";
  FieldBox_LostFocus(first.ed);
  const std::string edited = test::ReadBytes(first.dir.File("a.dlg.bak"));

  const struct {
    std::string folder, file, box;
  } kCases[] = {
      {first.dir.Path(), "a.dlg", kInUse},
      {elsewhere.Path(), "link.dlg",
       "exclamation File In Use: " + elsewhere.File("link.dlg") +
           " is open in another editor window. Unload it there first."},
      {first.dir.Path(), "hard.dlg",
       "exclamation File In Use: DIR/hard.dlg is open in another editor window. Unload it there "
       "first."},
  };
  for (const auto& c : kCases) {
    Window second(c.folder, c.file);
    second.folder = first.dir.Path();
    Command2_Click(second.ed);
    EXPECT_EQ(second.Boxes(), List{c.box}) << c.file;
    EXPECT_FALSE(second.ed.state.fileLoaded) << c.file;
  }
  EXPECT_EQ(test::ReadBytes(first.dir.File("a.dlg.bak")), edited);
  EXPECT_FALSE(test::FileExists(first.dir.File("hard.dlg.bak")));
  fs::remove(first.dir.File("hard.dlg"));  // a save refuses a file with further names

  first.platform.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
  Commandsave_Click(first.ed);  // the lock moves to the file that the save put in place
  Window after(first.dir.Path(), "a.dlg");
  Command2_Click(after.ed);
  EXPECT_EQ(after.Boxes(), List{kInUse});
  Command8_Click(first.ed);
  EXPECT_EQ(first.Files(), (Folder{{"a.dlg", edited}}));
  after.platform.boxes.clear();
  Command2_Click(after.ed);
  EXPECT_TRUE(after.ed.state.fileLoaded);
  EXPECT_EQ(after.Boxes(), List{});
}

TEST(ChangedOnDisk, SaveAsksBeforeOverwritingAndNeverSavesAForeignWorkingCopy) {
  const std::string other = "{1}{Theirs}{}{}{}{}{}\r\n";
  const std::string kChanged =
      "yes/no exclamation File Changed on Disk: DIR/a.dlg was changed by another program after "
      "it was loaded. Save over those changes?";
  const std::string kForeign =
      "critical File Error: Cannot save DIR/a.dlg: its working copy DIR/a.dlg.bak was changed "
      "by another program";
  // clang-format off
  const struct {
    const char* name;
    std::string dialogue;                   // a.dlg as another program leaves it ("": untouched)
    std::optional<std::string> workingCopy; // a.dlg.bak put in place by another program
    List answers;
    List boxes;
    std::string saved;
  } kCases[] = {
      {"same bytes written again", kOld, {}, {"yes"}, {kSaveAsk, kSaved}, kLeft},
      {"changed, No", other, {}, {"yes", "no"}, {kSaveAsk, kChanged}, other},
      {"changed, Yes", other, {}, {"yes", "yes"}, {kSaveAsk, kChanged, kSaved}, kLeft},
      {"working copy replaced", "", kLeft + "{3}{x}{}{}{}{}{}\r\n", {"yes"}, {kSaveAsk, kForeign},
       kOld},
  };
  // clang-format on
  for (const auto& c : kCases) {
    test::Session s(kOld);
    s.ed.window.txtDialogue.text = "Typed before the crash";
    FieldBox_LostFocus(s.ed);
    if (!c.dialogue.empty()) {
      s.dir.Put("a.dlg.new", c.dialogue);
      fs::rename(s.dir.File("a.dlg.new"), s.dir.File("a.dlg"));
    }
    if (c.workingCopy) {
      s.dir.Put("a.dlg.new", *c.workingCopy);
      fs::rename(s.dir.File("a.dlg.new"), s.dir.File("a.dlg.bak"));
    }
    for (const std::string& a : c.answers)
      s.platform.answers.push_back(a == "yes" ? MsgAnswer::Yes : MsgAnswer::No);
    Commandsave_Click(s.ed);
    EXPECT_EQ(s.Boxes(), c.boxes) << c.name;
    EXPECT_EQ(test::ReadBytes(s.dir.File("a.dlg")), c.saved) << c.name;
    if (!c.workingCopy) continue;
    s.platform.boxes.clear();
    s.platform.inputs = {"b"};
    Command9_Click(s.ed);
    EXPECT_EQ(s.Boxes(), List{kForeign}) << c.name;
    EXPECT_FALSE(test::FileExists(s.dir.File("b.dlg"))) << c.name;
  }
}

TEST(OnlyOwnFiles, PlantedLinksAndOtherKindsOfFileAreRefusedUntouched) {
  // clang-format off
  const struct {
    const char* name;
    void (*plant)(const test::TempDir&);
    std::string box;
  } kCases[] = {
      {"working copy a link", [](const test::TempDir& d) {
         fs::create_symlink(d.File("victim"), d.File("a.dlg.bak")); },
       "critical File Error: Cannot load DIR/a.dlg: DIR/a.dlg.bak is not a regular file"},
      {"scratch copy a link", [](const test::TempDir& d) {
         fs::create_symlink(d.File("victim"), d.File("a.dlg.bok")); },
       "critical File Error: Cannot load DIR/a.dlg: DIR/a.dlg.bok is not a regular file"},
      {"working copy a folder", [](const test::TempDir& d) {
         fs::create_directory(d.File("a.dlg.bak")); },
       "critical File Error: Cannot load DIR/a.dlg: DIR/a.dlg.bak is not a regular file"},
      {"dialogue a FIFO", [](const test::TempDir& d) {
         fs::remove(d.File("a.dlg"));
         ::mkfifo(d.File("a.dlg").c_str(), 0600); },
       "critical File Error: Cannot load DIR/a.dlg: not a regular file"},
  };
  // clang-format on
  for (const auto& c : kCases) {
    test::TempDir dir;
    dir.Put("a.dlg", kOld);
    dir.Put("victim", "precious");
    c.plant(dir);
    Window w(dir.Path(), "a.dlg");
    Command2_Click(w.ed);
    EXPECT_EQ(w.Boxes(), List{c.box}) << c.name;
    EXPECT_FALSE(w.ed.state.fileLoaded) << c.name;
    EXPECT_EQ(test::ReadBytes(dir.File("victim")), "precious") << c.name;
  }
  test::Session s(kOld);
  ::mkfifo(s.dir.File("pipe.dlg").c_str(), 0600);
  s.platform.inputs = {"pipe"};
  Command9_Click(s.ed);
  EXPECT_EQ(s.Boxes(), List{"critical File Error: Cannot write DIR/pipe.dlg: not a regular file"});
}

TEST(OnlyOwnFiles, CopiesAreNeverWiderThanTheDialogueFile) {
  for (mode_t mode : {0600, 0640, 0444}) {
    test::TempDir dir;
    ::chmod(dir.Put("a.dlg", kOld).c_str(), mode);
    Window w(dir.Path(), "a.dlg");
    Command2_Click(w.ed);
    w.ed.window.txtDialogue.text = "Edited";
    FieldBox_LostFocus(w.ed);
    w.platform.inputs = {"b"};
    Command9_Click(w.ed);
    const mode_t umask = ::umask(0);
    ::umask(umask);
    // A new file of "Save As" also takes the umask, as every new file does.
    for (auto [file, want] : {std::pair{"a.dlg.bak", mode | S_IWUSR},
                              std::pair{"b.dlg", (mode | S_IWUSR) & ~umask & 0666}}) {
      struct stat st {};
      ::stat(dir.File(file).c_str(), &st);
      EXPECT_EQ(st.st_mode & 0777, want) << std::oct << mode << " " << file;
    }
  }
}

TEST(OnlyOwnFiles, ARecoveredWorkingCopyIsNarrowedToTheFilesMode) {
  test::TempDir dir;
  ::chmod(dir.Put("a.dlg", kOld).c_str(), 0600);
  ::chmod(dir.Put("a.dlg.bak", kLeft).c_str(), 0666);
  Window w(dir.Path(), "a.dlg");
  w.platform.answers = {MsgAnswer::Yes};
  Command2_Click(w.ed);
  struct stat st {};
  ::stat(dir.File("a.dlg.bak").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(FolderOf(dir.Path()), (Folder{{"a.dlg", kOld}, {"a.dlg.bak", kLeft}}));
}

TEST(FailedLineWrite, SaveTriesItAgainAndStopsWhenItFailsAgain) {
  for (bool failsAgain : {false, true}) {
    test::Session s(kOld);
    s.ops.Arm({test::OpKind::Rename, 1, false, EIO});
    if (failsAgain) s.ops.Arm({test::OpKind::Rename, 2, true, EIO, 0});
    s.ed.window.txtDialogue.text = "Typed before the crash";
    FieldBox_LostFocus(s.ed);
    s.platform.boxes.clear();
    s.platform.answers = {MsgAnswer::Yes};
    Commandsave_Click(s.ed);
    const std::string failure =
        "critical File Error: Cannot write DIR/a.dlg.bok: Input/output error";
    EXPECT_EQ(s.Boxes(), (failsAgain ? List{failure} : List{kSaveAsk, kSaved})) << failsAgain;
    EXPECT_EQ(test::ReadBytes(s.dir.File("a.dlg")), failsAgain ? kOld : kLeft) << failsAgain;
  }
}

}  // namespace
}  // namespace dlg
