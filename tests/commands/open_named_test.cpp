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
const std::string kExists =
    "exclamation File Exists: DIR/b.dlg already exists. Please choose another name.";

// A file of the folder opened from Open Recent, the command line, or a list of the mod's lines.
Step Recent(const std::string& name) {
  return [=](Session& s) { OpenRecentFile(s.ed, s.dir.File(name)); };
}
Step Open(const std::string& name) {
  return [=](Session& s) { OpenNamedFile(s.ed, s.dir.File(name)); };
}
Step GoToLineIn(const std::string& name, const std::string& number) {
  return [=](Session& s) { GoToLineInFile(s.ed, s.dir.File(name), number); };
}

// clang-format off
const Row kRows[] = {
    {"NewUnloadsTheLoadedFileFirst", kA,
     {Input("b"), Yes, NewDialogue, Is(Caption, "Ashgloam -DLG Editor - b.dlg")},
     kNewView, {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kNew}, {"b.dlg.bak", kNew}}},
    {"NewKeepsANameThatEndsInDlg", kA, {Input("c.DLG"), Yes, NewDialogue}, kNewView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"c.DLG", kNew}, {"c.DLG.bak", kNew}}},
    // An answer that keeps the loaded file stops New Dialogue before anything is made.
    {"NewStopsWhenUnloadIsRefused", kA, {Input("b"), No, NewDialogue}, kAView, {kUnload}},
    {"NewAsksAboutUnsavedChanges", kA,
     {MaleText("X"), LeaveFieldBox, Input("b"), Cancel, NewDialogue}, "10|NPC|X||",
     {SaveChanges("unloading")}, {{"a.dlg.bak", "{10}{X}{}{}{}{}{}\r\n"}}},
    {"NewRefusesAnExistingName", kA, {Write("b.dlg", kB), Input("b"), NewDialogue}, kAView,
     {kExists}, {{"b.dlg", kB}}},
    {"NewRefusesAnExistingLink", kA, {Link("b.dlg", "nowhere"), Input("b.dlg"), NewDialogue},
     kAView, {kExists}, {{"b.dlg", kNotAFile}}},
    {"NewCancelledMakesNothing", kA, {Input(""), NewDialogue}, kAView},
    {"NewRefusesAPath", kA, {Input("../b"), NewDialogue}, kAView,
     {"exclamation Not a File Name: \"../b\" is not a file name: the file is made in the folder "
      "shown."}},
    {"NewRefusesANameTooLongForItsCopy", kA, {Input(std::string(248, 'n')), NewDialogue},
     kAView, {"exclamation File Name Too Long: The name " + std::string(248, 'n') + ".dlg is too "
              "long: the editor keeps a working copy beside the file under its name and \".bak\", "
              "and a name may have at most 255 bytes. Please choose a shorter name."}},
    // Open Recent: another file after the usual question; a file that is gone is said so.
    {"RecentLoadsAnotherFile", kA, {Write("b.dlg", kB), Yes, Recent("b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}}},
    {"RecentThatIsGone", kA, {Recent("gone.dlg")}, kAView,
     {"exclamation File Not Found: DIR/gone.dlg is no longer there. It has been taken off the "
      "list of recent files."}},
    // Named on the command line, nothing loaded: the same box as Load File for a missing file.
    {"OpenedByNameThroughItsFolder", kA,
     {Yes, UnloadFile, MakeFolder("sub"), Write("b.dlg", kB), Open("./sub/../b.dlg"),
      Is(PickedFile, "b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kB}, {"b.dlg.bak", kB}, {"sub", kNotAFile}}},
    // A ".." after a link leaves the folder the link names, as the shell's "cat" would.
    {"OpenedByNameThroughALink", kA,
     {Yes, UnloadFile, MakeFolder("sub/deep"), Link("lnk", "sub/deep"), Write("b.dlg", kA),
      Write("sub/b.dlg", kB), Open("lnk/../b.dlg"), Is(PickedFile, "b.dlg")}, kBView,
     {kUnload}, {{"a.dlg.bak", kGone}, {"b.dlg", kA}, {"lnk", kNotAFile}, {"sub", kNotAFile}}},
    {"OpenedByNameThroughAFolderThatIsMissing", kA, {Yes, UnloadFile, Open("sub/../b.dlg")},
     "|||||no file", {kUnload, "critical File Error: Cannot open folder DIR/sub/..: No such "
                      "file or directory"}, {{"a.dlg.bak", kGone}}},
    {"OpenedByNameThatIsAFolder", kA, {Yes, UnloadFile, MakeFolder("sub"),
     Write("sub/b.dlg", kB), Open("sub/"), Is(ListedFiles, "b.dlg")}, "|||||no file",
     {kUnload}, {{"a.dlg.bak", kGone}, {"sub", kNotAFile}}},
    {"OpenedByNameThatIsMissing", kA, {Yes, UnloadFile, Open("none.dlg")}, "|||||no file",
     {kUnload, "critical File Error: Cannot read DIR/none.dlg: No such file or directory"},
     {{"a.dlg.bak", kGone}}},
    // A line picked in a list of the mod's files: in the loaded file no question; another file
    // after Unload File's, which may keep the loaded one.
    {"GoToLineInTheLoadedFile", kA + "{11}{Hi.}{}{}{}{0}{}\r\n" + "{20}{There.}{}{}{}{}{}\r\n",
     {GoToLineIn("a.dlg", "20")}, "20|NPC|There.||"},
    {"GoToLineInAnotherFile", kA,
     {Write("b.dlg", kB + kB7), Yes, GoToLineIn("b.dlg", "7")}, "7|NPC|Far.||", {kUnload},
     {{"a.dlg.bak", kGone}, {"b.dlg", kB + kB7}, {"b.dlg.bak", kB + kB7}}},
    {"GoToLineInAnotherFileKeptLoaded", kA, {Write("b.dlg", kB), No, GoToLineIn("b.dlg", "5")},
     kAView, {kUnload}, {{"b.dlg", kB}}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(OpenNamed, StepRows, testing::ValuesIn(kRows), RowName);

}  // namespace
}  // namespace dlg::test
