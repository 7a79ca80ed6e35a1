#pragma once
// An editor that has loaded "a.dlg" from a fresh folder by Load File, every file call going
// through a FailingFileOps, and the step-table runner over it: a file in, steps as the user
// takes them, then the view, the boxes shown and the files left compared with the row.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <concepts>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "commands/add_line.h"
#include "commands/back_forward.h"
#include "commands/edit_response.h"
#include "commands/editor.h"
#include "commands/line_view.h"
#include "commands/load_safety.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_close.h"
#include "commands/shape_lines.h"
#include "commands/undo.h"
#include "support/failing_file_ops.h"
#include "support/scripted_platform.h"
#include "support/temp_dir.h"

namespace dlg::test {

using Strings = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;  // file name -> bytes
inline const std::string kGone = "<gone>", kNotAFile = "<not a file>";

// A record of number, male text and the line it leads to, its other fields empty.
inline std::string R(const std::string& n, const std::string& male = "",
                     const std::string& jump = "") {
  return "{" + n + "}{" + male + "}{}{}{}{" + jump + "}{}\r\n";
}

// Three NPC lines and their replies: 10 leads to 20 and to the end, 20 back to 10, 30 to 20.
inline const std::string kHail = R("10", "Hail.") + R("11", "Go on.", "20") + R("12", "Bye.", "0"),
                         kTwenty = R("20", "Twenty.", " ") + R("21", "Back.", "10"),
                         kThirty = R("30", "Thirty.") + R("31", "Again.", "20"),
                         kTalk = kHail + kTwenty + kThirty;
inline const std::string kHailView = "10|NPC|Hail.|Go on.,Bye.|20,0",
                         kTwentyView = "20|NPC|Twenty.|Back.|10";

// The boxes that rows of many commands meet.
inline const std::string kUnload = "yes/no none Unload?: Really unload DIR/a.dlg?";
inline const std::string kQuit = "yes/no none Quit?: Are you sure you want to quit?";
inline const std::string kOverwrite =
    "yes/no none Oberwrite?: Are you sure you wish to overwrite DIR/a.dlg?";
inline const std::string kSaved = "information Saving Changes: Changes Have Been Saved";
inline const std::string kChangedOnDisk =
    "yes/no exclamation File Changed on Disk: DIR/a.dlg was changed by another program after it "
    "was loaded. Save over those changes?";
inline std::string SaveChanges(const std::string& doing) {
  return "yes/no/cancel exclamation Save Changes?: Save the changes to DIR/a.dlg before " + doing +
         "?";
}

// Descriptors open in this process: a command leaves none behind, failed or not.
inline int OpenFds() {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    // The descriptor that holds the lock on a loaded file is meant to stay.
    const std::string info = ReadBytes("/proc/self/fdinfo/" + e.path().filename().string());
    if (info.find("\nlock:") == std::string::npos) ++n;
  }
  return n;
}

// Items as a list shows them, joined by commas.
template <class Items>
std::string Join(const Items& items) {
  std::string out;
  bool first = true;
  for (const auto& item : items) out.append(std::exchange(first, false) ? "" : ",").append(item);
  return out;
}
inline std::string Join(const ListBox& list) { return Join(list.items); }

// The line view as the user reads it: number|kind|male text|responses|their targets, then what
// new-line mode and the no-file state change. A drop-down shown instead of lineKind is [NPC].
inline std::string View(const EditorWindow& w) {
  std::string v = w.lineNumber.text + "|" +
                  (w.lineKind.visible ? w.lineKind.text : "[" + w.lineKindChoice.text + "]") + "|" +
                  w.maleText.text + "|" + Join(w.replies) + "|" + Join(w.replyTargets);
  if (w.saveNewLine.visible) v += "|Save New Line";
  if (!w.goToFirst.visible) v += "|no Go to 1";
  if (!w.dialogueFrame.enabled) v += "|no file";
  return v;
}

// A box in one line: "[yes/no[/cancel] ]<icon> <title>: <text>", with the test folder as DIR.
inline std::string Describe(const ShownBox& b, const std::string& folder) {
  std::string text = b.text;
  for (std::size_t at; (at = text.find(folder)) != std::string::npos;)
    text.replace(at, folder.size(), "DIR");
  const char* buttons = b.buttons == MsgButtons::YesNo         ? "yes/no "
                        : b.buttons == MsgButtons::YesNoCancel ? "yes/no/cancel "
                                                               : "";
  return buttons + std::string(IconName(b.icon)) + " " + b.title + ": " + text;
}

// Tells the editor that the working copy now holds `bytes` by its own hand, as if edits had
// put them there.
inline void AsWrittenByEditor(Editor& ed, const std::string& bytes) {
  ed.safety.workingCopy.size = static_cast<off_t>(bytes.size());
  ed.safety.workingCopy.hash = HashOf(bytes);
}

struct Session {
  TempDir dir;
  FailingFileOps ops;
  ScriptedPlatform platform;
  Editor ed{platform, ops};

  explicit Session(const std::string& bytes, mode_t mode = 0) {
    if (const std::string path = dir.Put("a.dlg", bytes); mode) ::chmod(path.c_str(), mode);
    ed.window.fileList.path = dir.Path();
    ed.window.fileList.fileName = "a.dlg";
    ops.skipSync = true;  // set-up needs no durability
    LoadFile(ed);
    ops.skipSync = false;
    ops.Reset();
  }
  Strings Boxes() const {
    Strings out;
    for (const ShownBox& b : platform.boxes) out.push_back(Describe(b, dir.Path()));
    return out;
  }
  Folder Files() const {
    Folder files;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
      files[e.path().filename().string()] =
          e.is_regular_file() ? ReadBytes(e.path().string()) : kNotAFile;
    return files;
  }
};

// One step of a row: a command as the user gives it (any `void(Editor&)` as it is), an answer
// queued for the next box, a change behind the editor's back, or a check of what it shows.
class Step {
 public:
  template <class R>
  Step(R (*command)(Editor&)) : run_([command](Session& s) { command(s.ed); }) {}
  template <std::invocable<Session&> F>
  Step(F f) : run_(std::move(f)) {}
  void operator()(Session& s) const { run_(s); }

 private:
  std::function<void(Session&)> run_;
};
using Steps = std::vector<Step>;
inline Steps operator+(Steps a, const Steps& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline const Step Yes = [](Session& s) { s.platform.answers.push_back(MsgAnswer::Yes); };
inline const Step No = [](Session& s) { s.platform.answers.push_back(MsgAnswer::No); };
inline const Step Cancel = [](Session& s) { s.platform.answers.push_back(MsgAnswer::Cancel); };
inline Step Input(const std::string& text) {
  return [text](Session& s) { s.platform.inputs.push_back(text); };
}

// A text box of the window: typed into by a step, read by a check.
struct Text {
  TextBox EditorWindow::*box;
  Step operator()(const std::string& typed) const {
    return [box = box, typed](Session& s) { (s.ed.window.*box).text = typed; };
  }
};
inline constexpr Text LineNumber{&EditorWindow::lineNumber}, GoToNumber{&EditorWindow::goToNumber},
    MaleText{&EditorWindow::maleText}, FemaleText{&EditorWindow::femaleText},
    ExecutionFlags{&EditorWindow::executionFlags}, ConditionFlags{&EditorWindow::conditionFlags},
    JumpLine{&EditorWindow::jumpLine}, NewLineNumber{&EditorWindow::newLineNumber},
    ReplyFlags{&EditorWindow::replyFlags};
inline Step PickFile(const std::string& name) {
  return [name](Session& s) { s.ed.window.fileList.fileName = name; };
}

// A list of the window: a row picked by a step (-1: none), its rows read by a check.
struct List {
  ListBox EditorWindow::*list;
};
inline constexpr List Replies{&EditorWindow::replies}, UsedNumbers{&EditorWindow::usedNumbers};
inline Step Pick(List l, int row) {
  return [l, row](Session& s) { (s.ed.window.*l.list).selected = row; };
}

// Types `n` into the "Go to:" box and clicks it.
inline Step GoTo(const std::string& n) {
  return [n](Session& s) {
    s.ed.window.goToNumber.text = n;
    GoToTypedLine(s.ed);
  };
}

// A check: what the window or the editor shows is `want`.
inline std::string Seen(Text t, Session& s) { return (s.ed.window.*t.box).text; }
inline std::string Seen(List l, Session& s) { return Join(s.ed.window.*l.list); }
inline std::string Seen(std::string (*read)(Session&), Session& s) { return read(s); }
inline bool Seen(bool (*read)(Session&), Session& s) { return read(s); }
inline bool Seen(bool (*read)(const Editor&), Session& s) { return read(s.ed); }
template <class What, class Want>
Step Is(What what, Want want) {
  return [what, want](Session& s) { EXPECT_EQ(Seen(what, s), want); };
}
// The window's caption, the file and the line number picked, the working copy's bytes, the names
// of the Undo and Redo items ("" when disabled), the prompt of the last input box, the rows of the
// file list, whether the program was told to end.
inline std::string Caption(Session& s) { return s.ed.window.caption; }
inline std::string PickedFile(Session& s) { return s.ed.window.fileList.fileName; }
inline std::string PickedNumber(Session& s) { return s.ed.window.usedNumbers.SelectedText(); }
inline std::string Copy(Session& s) { return ReadBytes(s.ed.state.WorkingCopyPath()); }
inline std::string UndoItem(Session& s) { return CanUndo(s.ed) ? UndoName(s.ed) : ""; }
inline std::string RedoItem(Session& s) { return CanRedo(s.ed) ? RedoName(s.ed) : ""; }
inline std::string Prompt(Session& s) {
  return s.platform.prompts.empty() ? "" : s.platform.prompts.back();
}
inline std::string ListedFiles(Session& s) { return Join(s.ed.window.fileList.files); }
inline bool Ended(Session& s) { return s.platform.ended; }

// The folder changed behind the editor's back.
inline Step Write(const std::string& name, const std::string& bytes) {
  return [=](Session& s) { s.dir.Put(name, bytes); };
}
inline Step Link(const std::string& name, const std::string& target) {
  return [=](Session& s) { std::filesystem::create_symlink(target, s.dir.File(name)); };
}
inline Step MakeFolder(const std::string& name) {
  return [=](Session& s) { std::filesystem::create_directories(s.dir.File(name)); };
}
inline Step Fifo(const std::string& name) {
  return [=](Session& s) { ::mkfifo(s.dir.File(name).c_str(), 0600); };
}
inline Step Remove(const std::string& name) {
  return [=](Session& s) { std::filesystem::remove(s.dir.File(name)); };
}
// A change as a program could make it that hides it: same size, times put back.
inline Step SameSizeAndTime(const std::string& name, const std::string& bytes) {
  return [=](Session& s) {
    const std::string path = s.dir.File(name);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    ASSERT_EQ(static_cast<std::size_t>(st.st_size), bytes.size());
    std::ofstream(path, std::ios::binary | std::ios::in) << bytes;
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  };
}

// Faults: the next rename fails, or every one from it; every lock is refused.
inline Step FailRenameFrom(bool onward) {
  return [onward](Session& s) {
    s.ops.Arm({OpKind::Rename, s.ops.Calls(OpKind::Rename) + 1, onward, EIO});
  };
}
inline const Step FailRename = FailRenameFrom(false), FailRenames = FailRenameFrom(true);
inline const Step RefuseLock = [](Session& s) { s.ops.lockError = EACCES; };
// Unload File's part in the working copy, with a delete that fails.
inline const Step UnloadCopyNotDeleted = [](Session& s) {
  s.ops.Arm({OpKind::Unlink, s.ops.Calls(OpKind::Unlink) + 1, false, EACCES});
  DropWorkingCopy(s.ed);
  ReleaseDialogue(s.ed);
  s.ed.state.fileLoaded = false;
};

// One row of a step table: "a.dlg" holds `file` and is loaded; after the steps the view and
// the boxes are as given, and the folder holds a.dlg and its working copy as loaded except
// for the files named in `changed` (kGone: removed).
struct Row {
  const char* name;
  std::string file;
  Steps steps;
  std::string view;
  Strings boxes = {};
  Folder changed = {};
};
inline void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
inline std::string RowName(const testing::TestParamInfo<Row>& info) { return info.param.name; }
// Each file instantiates it with its table, under its own name; commands_test.cpp runs a row.
class StepRows : public testing::TestWithParam<Row> {};

inline void RunRow(const Row& row) {
  const int fds = OpenFds();
  Session s(row.file);
  for (std::size_t i = 0; i < row.steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1));
    row.steps[i](s);
  }
  EXPECT_EQ(View(s.ed.window), row.view);
  EXPECT_EQ(s.Boxes(), row.boxes);
  Folder want{{"a.dlg", row.file}, {"a.dlg.bak", row.file}};
  for (const auto& [name, bytes] : row.changed) want[name] = bytes;
  std::erase_if(want, [](const auto& file) { return file.second == kGone; });
  EXPECT_EQ(s.Files(), want);
  EXPECT_EQ(OpenFds(), fds) << "descriptors left open";
}

}  // namespace dlg::test
