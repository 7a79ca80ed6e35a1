// The user's work around the working copy: copies found at Load, one editor per file, changes
// made by other programs, and files the editor did not make. A killed editor and the strays it
// leaves are the kill test's (tools/kill_test.sh); clicks through an odd file's boxes and a No
// to a change on disk are the window tests'.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kOld = "{1}{Old}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n",
                  kOldView = "1|NPC|Old|Bye|0";
const std::string kLeft = "{1}{Left}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n",
                  kLeftView = "1|NPC|Left|Bye|0";
const std::string kTheirs = "{1}{Theirs}{}{}{}{}{}\r\n", kNoFile = "|||||no file";
const Steps kEdit = {MaleText("Left"), LeaveFieldBox};
const Steps kLeftBehind = {Yes, UnloadFile, Write("a.dlg.bak", kLeft)};
std::string Found(const std::string& aside) {
  return "yes/no/cancel exclamation Copy Found: DIR/a.dlg.bak differs from DIR/a.dlg. It may "
         "hold changes that an editor never saved, or be a copy that someone keeps. Yes: go on "
         "with its text. No: keep it as DIR/" +
         aside + " and load the file as it is. Cancel: load nothing.";
}
const std::string kFound = Found("a.dlg.bak.1");
const std::string kSameKept =
    "exclamation Copy Kept: DIR/a.dlg.bak holds the same text as DIR/a.dlg. It is kept as "
    "DIR/a.dlg.bak.1, since the editor keeps its working copy under its name.";
const std::string kCopyChanged =
    "yes/no exclamation Working Copy Changed: DIR/a.dlg.bak was changed by another program after "
    "this editor last wrote it. Yes: save it as it now stands. No: save nothing and leave it as "
    "it is.";
const std::string kCopyKept =
    "exclamation Working Copy Kept: DIR/a.dlg.bak was changed by another program after this "
    "editor last wrote it, so it was not deleted.";
const std::string kFailed = "critical File Error: Cannot write DIR/a.dlg.bak: Input/output error";
const std::string kNotOurs = "critical File Error: Cannot load DIR/a.dlg: DIR/a.dlg.";
const std::string kOlx = "{1}{Olx}{}{}{}{}{}\r\n{2}{Bye}{}{}{}{0}{}\r\n";  // kOld's size
const std::string kOwn =
    "yes/no/cancel exclamation Unsaved Changes Found: DIR/a.dlg.bak holds changes made in this "
    "window that were never saved to DIR/a.dlg. Yes: go on with those changes. No: discard "
    "them and load the file as it is. Cancel: load nothing.";
const std::string kNotDeleted =
    "critical File Error: Cannot delete DIR/a.dlg.bak: Permission denied";

// clang-format off
const Row kRows[] = {
    // A copy found is offered before anything is touched; what Yes goes on with goes out with
    // the next Save.
    {"CopyFoundYes", kOld, kLeftBehind + Steps{Yes, LoadFile, Yes, Save}, kLeftView,
     {kUnload, kFound, kOverwrite, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    // No keeps it under the next free name, and whatever has a name already stays.
    {"CopyFoundNo", kOld, kLeftBehind + Steps{No, LoadFile}, kOldView, {kUnload, kFound},
     {{"a.dlg.bak.1", kLeft}}},
    {"CopyFoundNoNextFreeName", kOld,
     kLeftBehind + Steps{Write("a.dlg.bak.1", kTheirs), No, LoadFile}, kOldView,
     {kUnload, Found("a.dlg.bak.2")}, {{"a.dlg.bak.1", kTheirs}, {"a.dlg.bak.2", kLeft}}},
    {"CopyFoundCancel", kOld, kLeftBehind + Steps{Cancel, LoadFile}, kNoFile,
     {kUnload, kFound}, {{"a.dlg.bak", kLeft}}},
    {"CopyFoundNoButItCannotMove", kOld, kLeftBehind + Steps{FailRename, No, LoadFile},
     kNoFile,
     {kUnload, kFound, "critical File Error: Cannot rename DIR/a.dlg.bak: Input/output error"},
     {{"a.dlg.bak", kLeft}}},
    // Someone's backup made just before: nothing to ask, but it is theirs all the same.
    {"CopyOfTheSameTextKeptAside", kOld,
     {Yes, UnloadFile, Write("a.dlg.bak", kOld), LoadFile}, kOldView,
     {kUnload, kSameKept}, {{"a.dlg.bak.1", kOld}}},
    {"DeletedOnDiskYes", kOld, {Remove("a.dlg"), Yes, Yes, Save}, kOldView,
     {kOverwrite, "yes/no exclamation File Changed on Disk: DIR/a.dlg was deleted or moved by "
      "another program after it was loaded. Save it again?", kSaved}},
    {"SameBytesWrittenAgainIsNoChange", kOld, kEdit + Steps{Write("a.dlg", kOld), Yes, Save},
     kLeftView, {kOverwrite, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    // A working copy that another program wrote goes out only on the user's word, and after a
    // Yes it is the editor's own: Save As asks no more.
    {"ForeignWorkingCopyNo", kOld,
     kEdit + Steps{Write("a.dlg.bak", kTheirs), Yes, Save, Input("b"), SaveAs}, kLeftView,
     {kOverwrite, kCopyChanged, kCopyChanged}, {{"a.dlg.bak", kTheirs}}},
    {"ForeignWorkingCopyYes", kOld,
     kEdit + Steps{Write("a.dlg.bak", kTheirs), Yes, Yes, Save, Input("b"), SaveAs},
     kLeftView, {kOverwrite, kCopyChanged, kSaved, kSaved},
     {{"a.dlg", kTheirs}, {"a.dlg.bak", kTheirs}, {"b.dlg", kTheirs}}},
    {"ForeignWorkingCopyKeptAtUnload", kOld,
     {Write("a.dlg.bak", kTheirs), Yes, UnloadFile}, kNoFile, {kUnload, kCopyKept},
     {{"a.dlg.bak", kTheirs}}},
    // A line whose write failed is written again by Save, which stops when it fails again.
    {"FailedLineWrittenBySave", kOld, Steps{FailRename} + kEdit + Steps{Yes, Save},
     kLeftView, {kFailed, kOverwrite, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    {"FailedLineFailsAgain", kOld, Steps{FailRenames} + kEdit + Steps{Yes, Save},
     kLeftView, {kFailed, kFailed}},
    // Files planted where the editor makes its own are refused, and what they lead to is kept.
    {"PlantedWorkingCopyLink", kOld,
     {Yes, UnloadFile, Write("victim", "precious"), Link("a.dlg.bak", "victim"), LoadFile},
     kNoFile, {kUnload, kNotOurs + "bak is not a regular file"},
     {{"a.dlg.bak", "precious"}, {"victim", "precious"}}},
    // Refused at once, without waiting for a writer at the other end.
    {"DialogueFileAFifo", kOld, {Yes, UnloadFile, Remove("a.dlg"), Fifo("a.dlg"), LoadFile},
     kNoFile, {kUnload, "critical File Error: Cannot load DIR/a.dlg: not a regular file"},
     {{"a.dlg", kNotAFile}, {"a.dlg.bak", kGone}}},
    // Save reads both files anyway, and judges them by their bytes; Unload by those of the copy.
    {"FileChangedKeepingSizeAndTime", kOld, {SameSizeAndTime("a.dlg", kOlx), Yes, No, Save},
     kOldView, {kOverwrite, kChangedOnDisk}, {{"a.dlg", kOlx}}},
    {"CopyChangedKeepingSizeAndTime", kOld,
     {SameSizeAndTime("a.dlg.bak", kOlx), Yes, No, Save, Yes, UnloadFile}, kNoFile,
     {kOverwrite, kCopyChanged, kUnload, kCopyKept}, {{"a.dlg.bak", kOlx}}},
    // A copy that this editor wrote and could not delete is its own: holding the file's text it
    // is replaced unasked; holding edits it is offered as such, and No throws them away.
    {"OwnCopyOfTheFileReplaced", kOld, {UnloadCopyNotDeleted, No, LoadFile}, kOldView,
     {kNotDeleted}},
    {"OwnCopyWithEditsNo", kOld, kEdit + Steps{UnloadCopyNotDeleted, No, LoadFile}, kOldView,
     {kNotDeleted, kOwn}},
    {"OwnCopyWithEditsYes", kOld, kEdit + Steps{UnloadCopyNotDeleted, Yes, LoadFile}, kLeftView,
     {kNotDeleted, kOwn}, {{"a.dlg.bak", kLeft}}},
    // A lock that the system will not give is said, and nothing is loaded.
    {"ALockRefusedLoadsNothing", kOld, {Yes, UnloadFile, RefuseLock, LoadFile}, kNoFile,
     {kUnload, "critical File Error: Cannot lock DIR/a.dlg: Permission denied"},
     {{"a.dlg.bak", kGone}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(WorkSafety, StepRows, testing::ValuesIn(kRows), RowName);

// Another editor, in this process or not, by the file's name, a link to it or another path to
// its folder, is refused while the first holds the file: after the first's Save has put a new
// file in place, and after another program has renamed one over it. A file beside it loads;
// the file itself once the first unloads.
TEST(OneEditorPerFile, ASecondLoadIsRefusedUntilTheFirstUnloads) {
  Session first(kOld);
  std::filesystem::create_symlink("a.dlg", first.dir.File("link.dlg"));
  std::filesystem::create_directory_symlink(".", first.dir.File("again"));
  first.dir.Put("b.dlg", kTheirs);
  // What a second editor shows after Load File of `path` in the folder.
  const auto load = [&](const std::filesystem::path& path) {
    ScriptedPlatform platform;
    Editor second(platform);
    second.window.fileList = first.ed.window.fileList;
    second.window.fileList.path = first.dir.File(path.parent_path());
    second.window.fileList.fileName = path.filename();
    LoadFile(second);
    Strings seen{View(second.window)};
    for (const ShownBox& b : platform.boxes) seen.push_back(Describe(b, first.dir.Path()));
    return seen;
  };
  const auto refused = [&](const std::string& path) {
    EXPECT_EQ(load(path), (Strings{kNoFile, "exclamation File In Use: DIR/" + path +
                                                " is open in another editor window. Unload it "
                                                "there first."}));
  };
  for (const Step& step : {Yes, Step(Save)}) step(first);
  for (const char* path : {"a.dlg", "link.dlg", "again/a.dlg"}) refused(path);
  first.dir.Put("new.tmp", kTheirs);
  std::filesystem::rename(first.dir.File("new.tmp"), first.dir.File("a.dlg"));
  refused("a.dlg");
  // What Save As asks before it writes over a file; asking takes nothing.
  ScriptedPlatform platform;
  Editor saving(platform);
  EXPECT_FALSE(InUseByAnotherEditor(saving, first.dir.File("b.dlg")));
  EXPECT_EQ(load("b.dlg"), Strings{"1|NPC|Theirs||"});
  EXPECT_EQ(first.Files(), (Folder{{"a.dlg", kTheirs},
                                   {"a.dlg.bak", kOld},
                                   {"again", kNotAFile},
                                   {"b.dlg", kTheirs},
                                   {"b.dlg.bak", kTheirs},
                                   {"link.dlg", kTheirs}}));
  for (const Step& step : {Yes, Step(UnloadFile)}) step(first);
  EXPECT_EQ(load("a.dlg"), Strings{"1|NPC|Theirs||"});
}

TEST(OnlyOwnFiles, CopiesAreNeverWiderThanTheDialogueFile) {
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (mode_t mode : {0600, 0640, 0444}) {
    Session s(kOld, mode);
    for (const Step& step : kEdit + Steps{Input("b"), SaveAs}) step(s);
    // A new file of "Save As" also takes the umask, as every new file does.
    for (auto [file, want] : {std::pair{"a.dlg.bak", mode | S_IWUSR},
                              std::pair{"b.dlg", (mode | S_IWUSR) & ~umask & 0666}}) {
      struct stat st {};
      ::stat(s.dir.File(file).c_str(), &st);
      EXPECT_EQ(st.st_mode & 0777, want) << std::oct << mode << " " << file;
    }
  }
}

// A copy found wider than its dialogue file, and gone on with, is made anew with the file's mode.
TEST(OnlyOwnFiles, ACopyGoneOnWithIsNarrowedToTheFilesMode) {
  Session s(kOld, 0600);
  for (const Step& step : kLeftBehind) step(s);
  ::chmod(s.dir.File("a.dlg.bak").c_str(), 0666);
  for (const Step& step : {Yes, Step(LoadFile)}) step(s);
  struct stat st {};
  ::stat(s.dir.File("a.dlg.bak").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(s.Files(), (Folder{{"a.dlg", kOld}, {"a.dlg.bak", kLeft}}));
}

}  // namespace
}  // namespace dlg::test
