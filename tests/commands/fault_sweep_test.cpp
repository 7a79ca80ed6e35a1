// Every file operation of every command that touches files, failed in turn: the command must
// leave each file as it was or as a clean run leaves it, never in between, leave no temporary or
// scratch file, tell the user exactly once, and work again afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "commands/editor.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg {
namespace {

using test::Fault;
using test::OpKind;
using test::ShownBox;
using Bytes = std::optional<std::string>;  // nullopt: the file does not exist

const std::string kOld = "{10}{A}{}{}{}{}{}\r\n{20}{B}{}{}{}{ }{}\r\n";
const std::string kEdited = "{10}{A}{}{}{}{}{}\r\n{20}{X}{}{}{}{}{}\r\n";
const std::string kInserted = "{10}{A}{}{}{}{}{}\r\n{15}{Y}{}{}{}{}{}\r\n{20}{B}{}{}{}{ }{}\r\n";
const std::string kOther = "{1}{Other}{}{}{}{}{}\r\n";
const std::string kSaved = "information Saving Changes: Changes Have Been Saved";

struct FileState {
  std::string name;
  Bytes before, after;  // as the command finds it, and as a clean run leaves it
};

// Never left behind, but a failure to write it is reported under its name.
const FileState kNoScratch{"a.dlg.bok", std::nullopt, std::nullopt};

struct Row {
  const char* name;
  std::vector<FileState> files;
  void (*setUp)(Editor&);  // on top of a.dlg loaded from the folder
  std::vector<MsgAnswer> answers;
  std::vector<std::string> inputs;
  void (*run)(Editor&);
  void (*again)(Editor&);  // the clean run after the faulted one; nullptr: `run`
  // The call that puts the new content in place: before it nothing may have changed, after it
  // everything has.
  OpKind commitKind;
  int commitNth;
  // Calls whose failure the command may rightly get over without a word.
  std::vector<std::pair<OpKind, int>> harmless;
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

void Loaded(Editor&) {}
void NotLoaded(Editor& ed) {
  ed.state = {};
  ed.window.Commandsave.enabled = ed.window.Command8.enabled = false;
}
void TypedX(Editor& ed) {
  ed.window.txtLineNum.text = "20";
  ed.window.txtDialogue.text = "X";
}
void NewLine15(Editor& ed) {
  ed.window.txtaddline.text = "15";
  cmdaddline_Click(ed);
  ed.window.txtDialogue.text = "Y";
}
void SaveNewLineOrRewrite(Editor& ed) {
  // Once the record is in, the line is an ordinary current line.
  if (ed.state.newLineMode) {
    cmdsaveline_Click(ed);
  } else {
    FieldBox_LostFocus(ed);
  }
}
void LoadAndUnload(Editor& ed) {
  if (!ed.state.fileLoaded) Command2_Click(ed);
  Command8_Click(ed);
}

const MsgAnswer kYes = MsgAnswer::Yes;

// clang-format off
const Row kRows[] = {
    {"LoadFile", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", "stale", kOld}},
     NotLoaded, {}, {}, Command2_Click, nullptr, OpKind::Rename, 1, {}},
    {"RewriteOnLeavingABox", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kOld, kEdited}, kNoScratch},
     TypedX, {}, {}, FieldBox_LostFocus, nullptr, OpKind::Rename, 2, {{OpKind::Stat, 1}}},
    {"SaveNewLine", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kOld, kInserted}, kNoScratch},
     NewLine15, {}, {}, cmdsaveline_Click, SaveNewLineOrRewrite, OpKind::Rename, 2,
     {{OpKind::Stat, 1}}},
    {"Save", {{"a.dlg", kOld, kEdited}, {"a.dlg.bak", kEdited, kEdited}},
     Loaded, {kYes}, {}, Commandsave_Click, nullptr, OpKind::Rename, 1, {}},
    {"SaveAs", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, kEdited}, {"b.dlg", kOther, kEdited}},
     Loaded, {}, {"b"}, Command9_Click, nullptr, OpKind::Rename, 1, {}},
    {"UnloadFile", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, std::nullopt}, kNoScratch},
     Loaded, {kYes}, {}, Command8_Click, LoadAndUnload, OpKind::Unlink, 1, {}},
    {"Quit", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, std::nullopt}, kNoScratch},
     Loaded, {kYes}, {}, Command6_Click, nullptr, OpKind::Unlink, 1, {}},
};
// clang-format on

// The error classes that a call of each kind can meet on a real system; 0 is a short write.
const std::map<OpKind, std::vector<int>> kErrors = {
    {OpKind::Open, {ENOSPC, EIO, EACCES, EROFS}},
    {OpKind::Read, {EIO}},
    {OpKind::Write, {ENOSPC, EIO, 0}},
    {OpKind::Fsync, {ENOSPC, EIO, EROFS}},
    {OpKind::Close, {ENOSPC, EIO}},
    {OpKind::Fstat, {EIO, EACCES}},
    {OpKind::Stat, {EIO, EACCES}},
    {OpKind::Lstat, {EIO, EACCES}},
    {OpKind::Readlink, {EIO, EACCES}},
    {OpKind::Fchmod, {EIO, EROFS}},
    {OpKind::Fchown, {EIO, EROFS}},
    {OpKind::Rename, {ENOSPC, EIO, EACCES, EROFS, EXDEV}},
    {OpKind::Unlink, {EIO, EACCES, EROFS}},
};

// One run of a row's command in a fresh folder, with a.dlg loaded and the row's files in place.
struct Sweep {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  test::FailingFileOps ops;
  std::unique_ptr<Editor> ed;

  Sweep(const Row& row, const std::optional<Fault>& fault) {
    for (const FileState& f : row.files) {
      if (f.before) dir.Put(f.name, *f.before);
    }
    platform.ops = &ops;
    ed = std::make_unique<Editor>(platform);
    EditorWindow& w = ed->window;
    w.File1.path = dir.Path();
    w.File1.fileName = "a.dlg";
    ed->state.dialoguePath = dir.File("a.dlg");
    ed->state.fileLoaded = true;
    ed->state.lastLineNumber = "20";
    w.lstusednum.items = {"10", "20"};
    row.setUp(*ed);
    Queue(row);
    ops.Reset();
    if (fault) ops.Arm(*fault);
    row.run(*ed);
  }
  void Queue(const Row& row) {
    platform.answers.assign(row.answers.begin(), row.answers.end());
    platform.inputs.assign(row.inputs.begin(), row.inputs.end());
  }
  // Every box shown, as "<icon> <title>: <text>" with the folder written as DIR.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> lines;
    for (const ShownBox& b : platform.boxes) {
      std::string text = b.text;
      for (std::size_t at; (at = text.find(dir.Path())) != std::string::npos;) {
        text.replace(at, dir.Path().size(), "DIR");
      }
      const char* icon = b.icon == MsgIcon::Critical      ? "critical"
                         : b.icon == MsgIcon::Information ? "information"
                                                          : "none";
      lines.push_back(std::string(icon) + " " + b.title + ": " + text);
    }
    return lines;
  }
  // Every file of the folder with its bytes.
  std::map<std::string, std::string> Folder() const {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
      files[e.path().filename().string()] = test::ReadBytes(e.path().string());
    }
    return files;
  }
};

std::map<std::string, std::string> Expected(const Row& row, bool after) {
  std::map<std::string, std::string> files;
  for (const FileState& f : row.files) {
    if (const Bytes& b = after ? f.after : f.before) files[f.name] = *b;
  }
  return files;
}

bool IsCritical(const std::string& box) { return box.rfind("critical ", 0) == 0; }

// The one message of a failure: the operation, one of the row's files, and the reason.
bool NamesFileOperationAndReason(const Row& row, const std::string& box,
                                 const std::string& reason) {
  for (const char* op : {"read", "write", "rename", "delete", "create"}) {
    for (const FileState& f : row.files) {
      if (box ==
          std::string("critical File Error: Cannot ") + op + " DIR/" + f.name + ": " + reason)
        return true;
    }
  }
  return false;
}

class FaultSweep : public testing::TestWithParam<Row> {};

TEST_P(FaultSweep, EveryCallFailedLeavesOldOrNewAndOneMessage) {
  const Row& row = GetParam();
  Sweep clean(row, std::nullopt);
  const std::vector<OpKind> log = clean.ops.Log();
  const std::vector<std::string> cleanBoxes = clean.Boxes();
  ASSERT_EQ(clean.Folder(), Expected(row, true));
  ASSERT_TRUE(std::none_of(cleanBoxes.begin(), cleanBoxes.end(), IsCritical));
  // What a failed run shows: the questions of the clean run, then one critical box.
  std::vector<std::string> questions = cleanBoxes;
  std::erase(questions, kSaved);

  std::map<OpKind, int> seen;
  int commitAt = 0;
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (++seen[log[i]] == row.commitNth && log[i] == row.commitKind) commitAt = int(i) + 1;
  }
  ASSERT_GT(commitAt, 0);

  int points = 0;
  seen.clear();
  for (int at = 1; at <= int(log.size()); ++at) {
    const OpKind kind = log[std::size_t(at) - 1];
    const int nth = ++seen[kind];
    const bool harmlessCall = std::find(row.harmless.begin(), row.harmless.end(),
                                        std::make_pair(kind, nth)) != row.harmless.end();
    for (int error : kErrors.at(kind)) {
      for (bool onward : {false, true}) {
        ++points;
        const std::string what = std::string(test::OpName(kind)) + " #" + std::to_string(nth) +
                                 " (call " + std::to_string(at) + ") " +
                                 (error ? std::strerror(error) : "short write") +
                                 (onward ? ", from there on" : ", once");
        SCOPED_TRACE(what);
        // A short write passes one byte on; the writer must make up the rest.
        Sweep r(row, Fault{kind, nth, onward, error, 1});
        const std::vector<std::string> boxes = r.Boxes();
        if (error == 0 || (harmlessCall && !onward)) {
          EXPECT_EQ(r.Folder(), Expected(row, true));
          EXPECT_EQ(boxes, cleanBoxes);
        } else {
          EXPECT_EQ(r.Folder(), Expected(row, at > commitAt));
          ASSERT_EQ(boxes.size(), questions.size() + 1);
          EXPECT_EQ(std::vector(boxes.begin(), boxes.end() - 1), questions);
          EXPECT_TRUE(NamesFileOperationAndReason(row, boxes.back(), std::strerror(error)))
              << boxes.back();
        }
        // The editor goes on working.
        r.ops.Reset();
        r.platform.boxes.clear();
        r.Queue(row);
        (row.again ? row.again : row.run)(*r.ed);
        EXPECT_EQ(r.Folder(), Expected(row, true)) << "again";
        EXPECT_EQ(r.Boxes(), cleanBoxes) << "again";
        if (testing::Test::HasFailure()) return;
      }
    }
  }
  std::cout << row.name << ": " << log.size() << " file calls, " << points << " faults\n";
  RecordProperty("calls", int(log.size()));
  RecordProperty("faults", points);
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultSweep, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The saved bytes reach the disk before the rename makes them the file, and the rename reaches
// it after.
TEST(FaultSweepOrder, SaveSyncsTheFileThenRenamesThenSyncsTheFolder) {
  Sweep r(kRows[3], std::nullopt);
  const std::vector<OpKind>& log = r.ops.Log();
  const std::vector<OpKind> tail = {OpKind::Write,  OpKind::Fchmod, OpKind::Fsync, OpKind::Close,
                                    OpKind::Rename, OpKind::Open,   OpKind::Fsync, OpKind::Close};
  ASSERT_GE(log.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), log.end() - long(tail.size())));
}

}  // namespace
}  // namespace dlg
