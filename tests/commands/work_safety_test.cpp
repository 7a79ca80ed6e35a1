// The user's work around the working copy: recovery at Load, one editor per file, changes made
// by other programs, and files the editor did not make. A killed editor and the strays it
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
const std::string kTheirs = "{1}{Theirs}{}{}{}{}{}\r\n", kNoFile =
                                                             "||||"
                                                             "|no file";
const Strings kEdit = {"txtDialogue=Left", "leave box"};
const Strings kLeftBehind = {"Yes", "Unload File", "write:a.dlg.bak=" + kLeft};
const std::string kUnload = "yes/no none Unload?: Really unload DIR/a.dlg?";
const std::string kSaveAsk =
    "yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?";
const std::string kSaved = "information Saving Changes: Changes Have Been Saved";
const std::string kRecovery =
    "yes/no/cancel exclamation Unsaved Changes Found: The working copy DIR/a.dlg.bak holds changes "
    "that were never saved to DIR/a.dlg. Yes: go on with those changes. No: discard them and load "
    "the file as it is. Cancel: load nothing.";
const std::string kChanged =
    "yes/no exclamation File Changed on Disk: DIR/a.dlg was changed by another program after it "
    "was loaded. Save over those changes?";
const std::string kForeign =
    "critical File Error: Cannot save DIR/a.dlg: its working copy DIR/a.dlg.bak was changed by "
    "another program";
const std::string kFailed = "critical File Error: Cannot write DIR/a.dlg.bak: Input/output error";
const std::string kNotOurs = "critical File Error: Cannot load DIR/a.dlg: DIR/a.dlg.";

// clang-format off
const Row kRows[] = {
    // A working copy left behind is offered before anything is touched; what Yes keeps goes out
    // with the next Save.
    {"RecoveryYes", kOld, kLeftBehind + Strings{"Yes", "Load File", "Yes", "Save"}, kLeftView,
     {kUnload, kRecovery, kSaveAsk, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    {"RecoveryNo", kOld, kLeftBehind + Strings{"No", "Load File"}, kOldView, {kUnload, kRecovery}},
    {"RecoveryCancel", kOld, kLeftBehind + Strings{"Cancel", "Load File"}, kNoFile,
     {kUnload, kRecovery}, {{"a.dlg.bak", kLeft}}},
    {"RecoveryNotAskedForTheSameBytes", kOld,
     {"Yes", "Unload File", "write:a.dlg.bak=" + kOld, "Load File"}, kOldView, {kUnload}},
    {"ChangedOnDiskYes", kOld, kEdit + Strings{"write:a.dlg=" + kTheirs, "Yes", "Yes", "Save"},
     kLeftView, {kSaveAsk, kChanged, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    {"SameBytesWrittenAgainIsNoChange", kOld, kEdit + Strings{"write:a.dlg=" + kOld, "Yes", "Save"},
     kLeftView, {kSaveAsk, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    // Neither Save nor Save As passes on a working copy that another program wrote.
    {"ForeignWorkingCopy", kOld,
     kEdit + Strings{"write:a.dlg.bak=" + kTheirs, "Yes", "Save", "input:b", "Save As"}, kLeftView,
     {kSaveAsk, kForeign, kForeign}, {{"a.dlg.bak", kTheirs}}},
    // A line whose write failed is written again by Save, which stops when it fails again.
    {"FailedLineWrittenBySave", kOld, Strings{"fail rename"} + kEdit + Strings{"Yes", "Save"},
     kLeftView, {kFailed, kSaveAsk, kSaved}, {{"a.dlg", kLeft}, {"a.dlg.bak", kLeft}}},
    {"FailedLineFailsAgain", kOld, Strings{"fail renames"} + kEdit + Strings{"Yes", "Save"},
     kLeftView, {kFailed, kFailed}},
    // Files planted where the editor makes its own are refused, and what they lead to is kept.
    {"PlantedWorkingCopyLink", kOld,
     {"Yes", "Unload File", "write:victim=precious", "link:a.dlg.bak=victim", "Load File"},
     kNoFile, {kUnload, kNotOurs + "bak is not a regular file"},
     {{"a.dlg.bak", "precious"}, {"victim", "precious"}}},
    // Refused at once, without waiting for a writer at the other end.
    {"DialogueFileAFifo", kOld, {"Yes", "Unload File", "remove:a.dlg", "fifo:a.dlg", "Load File"},
     kNoFile, {kUnload, "critical File Error: Cannot load DIR/a.dlg: not a regular file"},
     {{"a.dlg", kNotAFile}, {"a.dlg.bak", kGone}}},
};
// clang-format on

class WorkSafety : public testing::TestWithParam<Row> {};
TEST_P(WorkSafety, ShowBoxesAndBytes) { RunRow(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Rows, WorkSafety, testing::ValuesIn(kRows), RowName);

// Another editor, by the file's name or a link to it, is refused while the first holds the
// file, also after the first's Save has put a new file in place; it loads once the first unloads.
TEST(OneEditorPerFile, ASecondLoadIsRefusedUntilTheFirstUnloads) {
  Session first(kOld);
  std::filesystem::create_symlink("a.dlg", first.dir.File("link.dlg"));
  for (const char* step : {"Yes", "Save"}) first.Step(step);
  const FileList file = first.ed.window.File1;
  const auto load = [&](const std::string& name) {
    ScriptedPlatform platform;
    Editor second(platform);
    second.window.File1 = file;
    second.window.File1.fileName = name;
    Command2_Click(second);
    Strings seen{View(second.window)};
    for (const ShownBox& b : platform.boxes) seen.push_back(Describe(b, first.dir.Path()));
    return seen;
  };
  const std::string inUse = " is open in another editor window. Unload it there first.";
  EXPECT_EQ(load("a.dlg"), (Strings{kNoFile, "exclamation File In Use: DIR/a.dlg" + inUse}));
  EXPECT_EQ(load("link.dlg"), (Strings{kNoFile, "exclamation File In Use: DIR/link.dlg" + inUse}));
  EXPECT_EQ(first.Files(), (Folder{{"a.dlg", kOld}, {"a.dlg.bak", kOld}, {"link.dlg", kOld}}));
  for (const char* step : {"Yes", "Unload File"}) first.Step(step);
  EXPECT_EQ(load("a.dlg"), Strings{kOldView});
}

TEST(OnlyOwnFiles, CopiesAreNeverWiderThanTheDialogueFile) {
  const mode_t umask = ::umask(0);
  ::umask(umask);
  for (mode_t mode : {0600, 0640, 0444}) {
    Session s(kOld, mode);
    for (const std::string& step : kEdit + Strings{"input:b", "Save As"}) s.Step(step);
    // A new file of "Save As" also takes the umask, as every new file does.
    for (auto [file, want] : {std::pair{"a.dlg.bak", mode | S_IWUSR},
                              std::pair{"b.dlg", (mode | S_IWUSR) & ~umask & 0666}}) {
      struct stat st {};
      ::stat(s.dir.File(file).c_str(), &st);
      EXPECT_EQ(st.st_mode & 0777, want) << std::oct << mode << " " << file;
    }
  }
}

// A working copy left wider than its dialogue file is made anew with the file's mode.
TEST(OnlyOwnFiles, ARecoveredWorkingCopyIsNarrowedToTheFilesMode) {
  Session s(kOld, 0600);
  for (const std::string& step : kLeftBehind) s.Step(step);
  ::chmod(s.dir.File("a.dlg.bak").c_str(), 0666);
  for (const char* step : {"Yes", "Load File"}) s.Step(step);
  struct stat st {};
  ::stat(s.dir.File("a.dlg.bak").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(s.Files(), (Folder{{"a.dlg", kOld}, {"a.dlg.bak", kLeft}}));
}

}  // namespace
}  // namespace dlg::test
