// Every file call of every command that touches files, failed in turn: each file is left as it
// was or as a clean run leaves it, never in between, no temporary or scratch file stays, the user
// is told exactly once, no descriptor stays open, and the command works again afterwards.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "support/session.h"

namespace dlg::test {
namespace {

using enum OpKind;
using Bytes = std::optional<std::string>;  // nullopt: the file does not exist

const std::string kOld = "{10}{A}{}{}{}{}{}\r\n{20}{B}{}{}{}{ }{}\r\n";
const std::string kEdited = "{10}{A}{}{}{}{}{}\r\n{20}{X}{}{}{}{}{}\r\n";
const std::string kInserted = "{10}{A}{}{}{}{}{}\r\n{15}{Y}{}{}{}{}{}\r\n{20}{B}{}{}{}{ }{}\r\n";

struct FileState {
  std::string name;
  Bytes before, after;  // as the command finds it, and as a clean run leaves it
};
// Never left behind, but a failure to write it is reported under its name.
const FileState kNoScratch{"a.dlg.bok", std::nullopt, std::nullopt};
// The temporary file of a running editor (this one) is no stray: Load leaves it alone.
const FileState kLiveTemp{".a.dlg.tmp-" + std::to_string(::getpid()) + "-9", "x", "x"};

struct Row {
  const char* name;
  std::vector<FileState> files;
  Steps setUp;       // steps on a.dlg loaded with kOld, before the row's files are put
  Steps run, again;  // the command, and the clean run after the faulted one ({}: `run`)
  // The call that puts the new content in place: before it nothing has changed, after it all.
  OpKind commitKind;
  int commitNth;
  std::vector<std::pair<OpKind, int>> harmless;  // failures rightly got over without a word
};
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

const Steps kNotLoaded = {Yes, UnloadFile}, kTypedX = {LineNumber("20"), MaleText("X")};
const Steps kEditWritten = {LineNumber("20"), MaleText("X"), LeaveFieldBox};
const Steps kNewLine15 = {NewLineNumber("15"), AddLine, MaleText("Y")};
// Once the record is in, the line is an ordinary current line.
void SaveNewLineOrRewrite(Editor& ed) {
  ed.state.newLineMode ? SaveNewLine(ed) : LeaveFieldBox(ed);
}
// The failed run may have unloaded the file: it is loaded again (a copy it left is taken up)
// and given the edits once more, so that Unload meets what the clean run met.
const Step kLoadAndUnload = [](Session& s) {
  if (!s.ed.state.fileLoaded) {
    const auto shown = s.platform.boxes.size();
    s.platform.answers.push_front(MsgAnswer::Yes);
    LoadFile(s.ed);
    if (s.platform.boxes.size() > shown) {
      s.platform.boxes.erase(s.platform.boxes.begin() + static_cast<std::ptrdiff_t>(shown));
    } else {
      s.platform.answers.pop_front();
    }
    s.dir.Put("a.dlg.bak", kEdited);
    AsWrittenByEditor(s.ed, kEdited);
  }
  UnloadFile(s.ed);
};
const std::string kOther = "{1}{Other}{}{}{}{}{}\r\n";

// clang-format off
const Row kRows[] = {
    // Where a link leads only adds a lock when there is one; strays are removed when they can be.
    {"LoadFile",
     {{"a.dlg", kOld, kOld}, {"a.dlg.bak", std::nullopt, kOld}, kNoScratch, kLiveTemp},
     kNotLoaded, {LoadFile}, {}, Rename, 1,
     {{RealPath, 1}, {ListFolder, 1}, {ProcessAlive, 1}}},
    // A lookup only reads: whatever fails, the files stay and the descriptor is closed.
    {"GoTo", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kOld, kOld}},
     {GoToNumber("20")}, {GoToTypedLine}, {}, Close, 1, {}},
    {"RewriteOnLeavingABox", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kOld, kEdited}, kNoScratch},
     kTypedX, {LeaveFieldBox}, {}, Rename, 1, {{Unlink, 1}}},
    {"SaveNewLine", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kOld, kInserted}, kNoScratch},
     kNewLine15, {SaveNewLine}, {SaveNewLineOrRewrite}, Rename, 1, {{Unlink, 1}}},
    {"Save", {{"a.dlg", kOld, kEdited}, {"a.dlg.bak", kEdited, kEdited}},
     {}, {Yes, Save}, {}, Rename, 1, {{Stat, 1}}},
    {"SaveAs", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, kEdited}, {"b.dlg", kOther, kEdited}},
     {}, {Yes, Input("b"), SaveAs}, {}, Rename, 1,
     {{Stat, 1}, {Stat, 2}, {Stat, 3}, {RealPath, 1}}},
    // The step is undone once its bytes are back in place; the line is then shown from what was
// written, without another read.
    {"Undo", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, kOld}, kNoScratch},
     kEditWritten, {Undo}, {}, Rename, 1, {{Unlink, 1}}},
    {"UnloadFile", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, std::nullopt}, kNoScratch},
     {}, {No, UnloadFile}, {No, kLoadAndUnload}, Unlink, 1, {}},
    {"Quit", {{"a.dlg", kOld, kOld}, {"a.dlg.bak", kEdited, std::nullopt}, kNoScratch},
     {}, {No, Quit}, {}, Unlink, 1, {}},
};
// clang-format on

// The error classes that a call of each kind can meet on a real system; 0 is a short write.
// clang-format off
const std::map<OpKind, std::vector<int>> kErrors = {
    {Open, {ENOSPC, EIO, EACCES, EROFS}}, {Read, {EIO}}, {Write, {ENOSPC, EIO, 0}},
    {Fsync, {ENOSPC, EIO, EROFS}}, {Close, {ENOSPC, EIO}}, {Fstat, {EIO, EACCES}},
    {Stat, {EIO, EACCES}}, {Lstat, {EIO, EACCES}}, {Readlink, {EIO, EACCES}},
    {RealPath, {EIO, EACCES}}, {ListFolder, {EIO, EACCES}}, {ProcessAlive, {EPERM}},
    {Fchmod, {EIO, EROFS}}, {Fchown, {EIO, EROFS}}, {Rename, {ENOSPC, EIO, EACCES, EROFS, EXDEV}},
    {Unlink, {EIO, EACCES, EROFS}},
};
// clang-format on

// One run of a row's command, with the row's files in place.
struct Sweep : Session {
  Sweep(const Row& row, const std::optional<Fault>& fault) : Session(kOld) {
    for (const Step& step : row.setUp) step(*this);
    platform.boxes.clear();
    for (const FileState& f : row.files) {
      if (!f.before) continue;
      dir.Put(f.name, *f.before);
      // The working copy as if the editor had written it.
      if (f.name == "a.dlg.bak") AsWrittenByEditor(ed, *f.before);
    }
    ops.Reset();
    if (fault) ops.Arm(*fault);
    for (const Step& step : row.run) step(*this);
  }
};

std::map<std::string, std::string> Expected(const Row& row, bool after) {
  std::map<std::string, std::string> files;
  for (const FileState& f : row.files)
    if (const Bytes& b = after ? f.after : f.before) files[f.name] = *b;
  return files;
}

// The one message of a failure names the operation, one of the row's files, and the reason.
bool NamesFileOperationAndReason(const Row& row, const std::string& box, int error) {
  for (const char* op : {"read", "write", "rename", "delete", "create"})
    for (const FileState& f : row.files)
      if (box == std::string("critical File Error: Cannot ") + op + " DIR/" + f.name + ": " +
                     std::strerror(error))
        return true;
  return false;
}

class FaultSweep : public testing::TestWithParam<Row> {};

TEST_P(FaultSweep, EveryCallFailedLeavesOldOrNewAndOneMessage) {
  const Row& row = GetParam();
  const int fds = OpenFds();
  Sweep clean(row, std::nullopt);
  EXPECT_EQ(OpenFds(), fds) << "descriptors left open";
  const std::vector<OpKind> log = clean.ops.Log();
  const std::vector<std::string> cleanBoxes = clean.Boxes();
  ASSERT_EQ(clean.Files(), Expected(row, true));
  for (const std::string& b : cleanBoxes) ASSERT_FALSE(b.starts_with("critical")) << b;
  // A failed run shows the clean run's questions up to the failure, then one critical box.
  std::vector<std::string> questions = cleanBoxes;
  std::erase(questions, kSaved);

  std::map<OpKind, int> seen;
  int commitAt = 0;
  for (std::size_t i = 0; i < log.size(); ++i)
    if (++seen[log[i]] == row.commitNth && log[i] == row.commitKind) commitAt = int(i) + 1;
  ASSERT_GT(commitAt, 0);

  seen.clear();
  for (int at = 1; at <= int(log.size()); ++at) {
    const OpKind kind = log[std::size_t(at) - 1];
    const int nth = ++seen[kind];
    const bool harmless = std::find(row.harmless.begin(), row.harmless.end(),
                                    std::make_pair(kind, nth)) != row.harmless.end();
    for (int error : kErrors.at(kind)) {
      for (bool onward : {false, true}) {
        SCOPED_TRACE(std::string(OpName(kind)) + " #" + std::to_string(nth) + " (call " +
                     std::to_string(at) + ") " + (error ? std::strerror(error) : "short write") +
                     (onward ? ", from there on" : ", once"));
        // A short write passes one byte on; the writer must make up the rest.
        Sweep r(row, Fault{kind, nth, onward, error, 1});
        EXPECT_EQ(OpenFds(), fds) << "descriptors left open";
        const std::vector<std::string> boxes = r.Boxes();
        // Failing from there on is failing once when no call of that kind follows.
        const bool lastOfKind = std::find(log.begin() + at, log.end(), kind) == log.end();
        if (error == 0 || (harmless && (!onward || lastOfKind))) {
          EXPECT_EQ(r.Files(), Expected(row, true));
          EXPECT_EQ(boxes, cleanBoxes);
        } else {
          EXPECT_EQ(r.Files(), Expected(row, at > commitAt));
          // A failure may come before some of the questions, never instead of one.
          ASSERT_GE(boxes.size(), 1u);
          ASSERT_LE(boxes.size(), questions.size() + 1);
          EXPECT_EQ(std::vector(boxes.begin(), boxes.end() - 1),
                    std::vector(questions.begin(), questions.begin() + long(boxes.size()) - 1));
          EXPECT_TRUE(NamesFileOperationAndReason(row, boxes.back(), error)) << boxes.back();
        }
        r.ops.Reset();
        r.platform.boxes.clear();
        r.platform.answers.clear();  // those of questions that the failure came before
        r.platform.inputs.clear();
        for (const Step& step : row.again.empty() ? row.run : row.again) step(r);
        EXPECT_EQ(r.Files(), Expected(row, true)) << "again";
        EXPECT_EQ(r.Boxes(), cleanBoxes) << "again";
        EXPECT_EQ(OpenFds(), fds) << "descriptors left open again";
        if (testing::Test::HasFailure()) return;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, FaultSweep, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg::test
