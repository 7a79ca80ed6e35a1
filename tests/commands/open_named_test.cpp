// Files opened by name: New Dialogue, Open Recent and a file named on the command line, each
// loading as Load File does, the loaded file unloaded first with its questions.

#include "commands/open_named.h"

#include <gtest/gtest.h>

#include "support/session.h"

namespace dlg::test {
namespace {

const std::string kA = "{10}{Hello.}{}{}{}{}{}\r\n";
const std::string kB = "{5}{Other.}{}{}{}{}{}\r\n";
const std::string kB7 = "{7}{Far.}{}{}{}{}{}\r\n";
const std::string kNew = kNewDialogueBytes;
const std::string kAView = "10|NPC|Hello.||", kBView = "5|NPC|Other.||", kNewView = "1|NPC|||";
const std::string kReallyUnload = "yes/no none Unload?: Really unload DIR/a.dlg?";
const std::string kExists =
    "exclamation File Exists: DIR/b.dlg already exists. Please choose another name.";

// "New Dialogue", "recent:NAME", "open:NAME" (a file in the folder) and "goto:NAME#NUMBER",
// besides the runner's.
bool OpenByName(Session& s, const std::string& step) {
  if (step == "New Dialogue") {
    NewDialogue(s.ed);
  } else if (step.starts_with("recent:")) {
    OpenRecentFile(s.ed, s.dir.File(step.substr(7)));
  } else if (step.starts_with("goto:")) {
    const std::size_t hash = step.find('#');
    GoToLineInFile(s.ed, s.dir.File(step.substr(5, hash - 5)), step.substr(hash + 1));
  } else if (step.starts_with("open:")) {
    OpenNamedFile(s.ed, s.dir.File(step.substr(5)));
  } else {
    return false;
  }
  return true;
}

// clang-format off
const Row kRows[] = {
    {"NewUnloadsTheLoadedFileFirst", kA, {"input:b", "Yes", "New Dialogue", "?caption=Ashgloam -DLG Editor - b.dlg"},
     kNewView, {kReallyUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kNew}, {"b.dlg.bak", kNew}}},
    {"NewKeepsANameThatEndsInDlg", kA, {"input:c.DLG", "Yes", "New Dialogue"}, kNewView,
     {kReallyUnload}, {{"a.dlg.bak", kGone}, {"c.DLG", kNew}, {"c.DLG.bak", kNew}}},
    // An answer that keeps the loaded file stops New Dialogue before anything is made.
    {"NewStopsWhenUnloadIsRefused", kA, {"input:b", "No", "New Dialogue"}, kAView, {kReallyUnload}},
    {"NewAsksAboutUnsavedChanges", kA,
     {"maleText=X", "leave box", "input:b", "Cancel", "New Dialogue"}, "10|NPC|X||",
     {"yes/no/cancel exclamation Save Changes?: Save the changes to DIR/a.dlg before unloading?"},
     {{"a.dlg.bak", "{10}{X}{}{}{}{}{}\r\n"}}},
    {"NewRefusesAnExistingName", kA, {"write:b.dlg=" + kB, "input:b", "New Dialogue"}, kAView,
     {kExists}, {{"b.dlg", kB}}},
    {"NewRefusesAnExistingLink", kA, {"link:b.dlg=nowhere", "input:b.dlg", "New Dialogue"}, kAView,
     {kExists}, {{"b.dlg", kNotAFile}}},
    {"NewCancelledMakesNothing", kA, {"input:", "New Dialogue"}, kAView},
    {"NewRefusesAPath", kA, {"input:../b", "New Dialogue"}, kAView,
     {"exclamation Not a File Name: \"../b\" is not a file name: the file is made in the folder "
      "shown."}},
    {"NewRefusesANameTooLongForItsCopy", kA, {"input:" + std::string(248, 'n'), "New Dialogue"},
     kAView, {"exclamation File Name Too Long: The name " + std::string(248, 'n') + ".dlg is too "
              "long: the editor keeps a working copy beside the file under its name and \".bak\", "
              "and a name may have at most 255 bytes. Please choose a shorter name."}},
    {"NewRefusesANameTooLongForTheSystem", kA, {"input:" + std::string(252, 'n'), "New Dialogue"},
     kAView, {"exclamation File Name Too Long: The name " + std::string(252, 'n') + ".dlg is too "
              "long: the editor keeps a working copy beside the file under its name and \".bak\", "
              "and a name may have at most 255 bytes. Please choose a shorter name."}},
    // Open Recent: another file after the usual question; a file that is gone is said so.
    {"RecentLoadsAnotherFile", kA, {"write:b.dlg=" + kB, "Yes", "recent:b.dlg"}, kBView,
     {kReallyUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}}},
    {"RecentThatIsGone", kA, {"recent:gone.dlg"}, kAView,
     {"exclamation File Not Found: DIR/gone.dlg is no longer there. It has been taken off the "
      "list of recent files."}},
    // Named on the command line, nothing loaded: the same box as Load File for a missing file.
    {"OpenedByNameThroughItsFolder", kA,
     {"Yes", "Unload File", "folder:sub", "write:b.dlg=" + kB, "open:./sub/../b.dlg",
      "?fileList=b.dlg"}, kBView,
     {kReallyUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}, {"sub", kNotAFile}}},
    // A ".." after a link leaves the folder the link names, as the shell's "cat" would.
    {"OpenedByNameThroughALink", kA,
     {"Yes", "Unload File", "folder:sub/deep", "link:lnk=sub/deep", "write:b.dlg=" + kA,
      "write:sub/b.dlg=" + kB, "open:lnk/../b.dlg", "?fileList=b.dlg"}, kBView,
     {kReallyUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kA}, {"lnk", kNotAFile}, {"sub", kNotAFile}}},
    {"OpenedByNameThroughAFolderThatIsMissing", kA, {"Yes", "Unload File", "open:sub/../b.dlg"},
     "|||||no file", {kReallyUnload, "critical File Error: Cannot open folder DIR/sub/..: No such "
                      "file or directory"}, {{"a.dlg.bak", kGone}}},
    {"OpenedByNameThatIsAFolder", kA, {"Yes", "Unload File", "folder:sub",
     "write:sub/b.dlg=" + kB, "open:sub/", "?files=b.dlg"}, "|||||no file", {kReallyUnload},
     {{"a.dlg.bak", kGone}, {"sub", kNotAFile}}},
    {"OpenedByNameThatIsMissing", kA, {"Yes", "Unload File", "open:none.dlg"}, "|||||no file",
     {kReallyUnload, "critical File Error: Cannot read DIR/none.dlg: No such file or directory"},
     {{"a.dlg.bak", kGone}}},
    // A line picked in a list of the mod's files: in the loaded file no question; another file
    // after Unload File's, which may keep the loaded one.
    {"GoToLineInTheLoadedFile", kA + "{11}{Hi.}{}{}{}{0}{}\r\n" + "{20}{There.}{}{}{}{}{}\r\n",
     {"goto:a.dlg#20"}, "20|NPC|There.||"},
    {"GoToLineInAnotherFile", kA,
     {"write:b.dlg=" + kB + kB7, "Yes", "goto:b.dlg#7"}, "7|NPC|Far.||", {kReallyUnload},
     {{"a.dlg.bak", kGone}, {"b.dlg", kB + kB7}, {"b.dlg.bak", kB + kB7}}},
    {"GoToLineInAnotherFileKeptLoaded", kA, {"write:b.dlg=" + kB, "No", "goto:b.dlg#5"}, kAView,
     {kReallyUnload}, {{"b.dlg", kB}}},
};
// clang-format on

class OpenNamedTest : public testing::TestWithParam<Row> {};
TEST_P(OpenNamedTest, LeavesTheViewBoxesAndFiles) { RunRow(GetParam(), OpenByName); }
INSTANTIATE_TEST_SUITE_P(Rows, OpenNamedTest, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
