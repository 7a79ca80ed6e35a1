// The power cut at every file call of every command that writes: each disk that the cut may
// leave is laid out in a fresh folder and loaded by a fresh editor that answers Yes. The dialogue
// file holds the bytes of before the command or of the save in flight, and after a save that
// reported success only its bytes; the copy offered is one the user wrote, and after the command
// the one it wrote; nothing stray stays and every Load works. A sample of the states runs here;
// DLG_POWER_CUT_FULL=1 checks them all.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "commands/open_named.h"
#include "support/power_cut_file_ops.h"
#include "support/session.h"

namespace dlg::test {
namespace {

// Three blocks and a bit, so that a file can be cut within itself.
const std::string kPadding = [] {
  std::string s;
  for (int n = 100; s.size() < 3 * PowerCutFileOps::kBlock; ++n)
    s += R(std::to_string(n),
           "Padding line " + std::to_string(n) + " that makes the file span blocks.");
  return s;
}();
const std::string kOld = R("10", "A") + R("20", "B") + kPadding;
const std::string kEdited = R("10", "A") + R("20", "X") + kPadding;

const Steps kEdit = {GoTo("20"), MaleText("X"), LeaveFieldBox};

struct Row {
  const char* name;
  Steps setUp, command;   // the command's steps are those cut
  std::string kept = {};  // bytes that must stay somewhere in the folder, under any name
};
// clang-format off
const Row kRows[] = {
    {"LoadFile", {Yes, UnloadFile}, {LoadFile}},
    {"RewriteOnLeavingABox", {GoTo("20"), MaleText("X")}, {LeaveFieldBox}},
    {"SaveNewLine", {NewLineNumber("15"), AddLine, MaleText("Y")}, {SaveNewLine}},
    {"Save", kEdit, {Yes, Save}},
    {"SaveAs", kEdit, {Input("b"), Yes, SaveAs}},
    {"UnloadFile", kEdit, {No, UnloadFile}},
    {"Quit", kEdit, {No, Quit}},
    // A copy that a dead editor left: gone on with, or kept aside under a name of its own.
    {"RecoveryYes", {Yes, UnloadFile, Write("a.dlg.bak", kEdited)}, {Yes, LoadFile}},
    {"RecoveryNo", {Yes, UnloadFile, Write("a.dlg.bak", kEdited)}, {No, LoadFile}, kEdited},
    // One that holds the file's own text is kept aside under a numbered name, unasked.
    {"SameCopyKeptAside", {Yes, UnloadFile, Write("a.dlg.bak", kOld)}, {LoadFile}},
    {"NewDialogue", {}, {Input("b"), Yes, NewDialogue}},
    {"DeleteLine", {GoTo("20")}, {Yes, DeleteLine}},
    {"RenumberLine", {GoTo("20")}, {Input("25"), RenumberLine}},
    {"Undo", kEdit, {Undo}},
    {"Redo", kEdit + Steps{Undo}, {Redo}},
};
// clang-format on

// What a fresh editor may find of the dialogue file `name`, and of its working copy, before the
// command has ended and after: the copy is what Load goes on with, the file itself without one.
struct Allowed {
  std::set<std::optional<std::string>> file, fileAtEnd, copy, copyAtEnd;
};
std::optional<std::string> Find(const Layout& l, const std::string& name) {
  const auto it = l.find(name);
  return it == l.end() ? std::nullopt : std::optional(it->second);
}
std::optional<std::string> Copy(const Layout& l, const std::string& name) {
  const auto bak = Find(l, name + ".bak");
  return bak ? bak : Find(l, name);
}
std::map<std::string, Allowed> AllowedBy(const Layout& before, const Layout& after) {
  std::map<std::string, Allowed> out;
  for (const Layout* l : {&before, &after}) {
    for (const auto& [name, bytes] : *l) {
      if (!name.ends_with(".dlg")) continue;
      Allowed& a = out[name];
      a.file = {Find(before, name), Find(after, name)};
      a.fileAtEnd = {Find(after, name)};
      a.copy = {Copy(before, name), Copy(after, name)};
      a.copyAtEnd = {Copy(after, name)};
      // A working copy deleted without a flush of the folder may come back: the user wrote it.
      if (before.contains(name + ".bak") && !after.contains(name + ".bak"))
        a.copyAtEnd.insert(Copy(before, name));
    }
  }
  return out;
}

std::string Show(const std::optional<std::string>& bytes) {
  if (!bytes) return "<none>";
  if (*bytes == kOld) return "<old>";
  if (*bytes == kEdited) return "<edited>";
  return bytes->size() > 60
             ? "<" + std::to_string(bytes->size()) + " bytes: " + bytes->substr(0, 40) + "...>"
             : "\"" + *bytes + "\"";
}
std::string Describe(const Layout& state) {
  std::string out;
  for (const auto& [name, bytes] : state) out += "\n  " + name + " = " + Show(bytes);
  return out;
}

// Loads each dialogue file of `state`, laid out in a fresh folder, in a fresh editor; "" when all
// is as it may be. The temporary files of the editor cut off are named after a process that is
// gone, as they would be after the restart.
std::string CheckState(const Layout& state, const std::map<std::string, Allowed>& allowed,
                       bool ended, const std::string& kept) {
  TempDir dir;
  const std::string self = ".tmp-" + std::to_string(::getpid()) + "-";
  for (const auto& [file, bytes] : state) {
    std::string name = file;
    if (const auto at = name.find(self); at != std::string::npos)
      name.replace(at, self.size(), ".tmp-999999999-");  // beyond any pid_max
    dir.Put(name, bytes);
  }
  for (const auto& [name, a] : allowed) {
    const std::optional<std::string> file = Find(state, name);
    if (!(ended ? a.fileAtEnd : a.file).contains(file)) return name + " holds " + Show(file);
    if (!file) continue;
    FailingFileOps ops;
    ops.skipSync = true;  // what the fresh editor writes is not under test
    ScriptedPlatform platform;
    platform.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    Editor ed{platform, ops};
    ed.window.fileList.path = dir.Path();
    ed.window.fileList.fileName = name;
    LoadFile(ed);
    for (const ShownBox& b : platform.boxes)
      if (b.icon == MsgIcon::Critical) return "Load of " + name + " said: " + b.text;
    if (!ed.state.fileLoaded) return "Load of " + name + " refused";
    const auto offered = std::optional(ReadBytes(dir.File(name + ".bak")));
    if (!(ended ? a.copyAtEnd : a.copy).contains(offered))
      return "Load of " + name + " goes on with " + Show(offered);
    std::vector<std::string> names;
    PosixFileOps().ListFolder(dir.Path(), names);
    for (const std::string& n : names) {
      // A temporary file of any name: a Save As or new file cut off leaves one under a name
      // that no Load names.
      if ((n.starts_with(".") && n.find(".tmp-") != std::string::npos) || n == name + ".bok")
        return "stray " + n + " left";
    }
  }
  const auto holdsKept = [&](const auto& e) { return ReadBytes(e.path().string()) == kept; };
  if (!kept.empty() &&
      std::ranges::none_of(std::filesystem::directory_iterator(dir.Path()), holdsKept))
    return "the copy found is gone: " + Show(kept);
  return "";
}

// Runs the row's command once, noting the disk before each file call, then checks every state
// that a cut at each may leave (or `cap` of them per cut): the first problem found, or "".
std::string SweepRow(const Row& row, std::uint64_t cap) {
  PowerCutFileOps disk;  // outlives the editor, whose last calls go through it
  Session s(kOld);
  for (const Step& step : row.setUp) step(s);
  s.ops.PassTo(disk);
  const Layout before = s.Files();
  disk.Start(s.dir.Path());
  for (const Step& step : row.command) step(s);
  const std::vector<PowerCutFileOps::Disk> cuts = disk.Finish();
  const auto allowed = AllowedBy(before, s.Files());

  std::set<std::pair<Layout, bool>> checked;
  for (std::size_t at = 0; at < cuts.size(); ++at) {
    const bool ended = at + 1 == cuts.size();
    for (const Layout& state : PowerCutFileOps::States(cuts[at], cap, at)) {
      if (!checked.insert({state, ended}).second) continue;
      if (const std::string problem = CheckState(state, allowed, ended, row.kept); !problem.empty())
        return "cut " +
               (ended ? std::string("after the command")
                      : "before file call " + std::to_string(at + 1)) +
               ": " + problem + "; the disk:" + Describe(state);
    }
  }
  return "";
}

class PowerCutSweep : public testing::TestWithParam<Row> {};

TEST_P(PowerCutSweep, EveryStateACutLeavesLoadsOldOrNewAndLosesNoWrittenEdit) {
  const char* full = std::getenv("DLG_POWER_CUT_FULL");
  EXPECT_EQ(SweepRow(GetParam(), full && std::string(full) == "1" ? UINT64_MAX : 24), "");
}

INSTANTIATE_TEST_SUITE_P(Commands, PowerCutSweep, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
