#pragma once
// An editor that has loaded "a.dlg" from a fresh folder by Load File, every file call going
// through a FailingFileOps, and the step-table runner over it: a file in, steps as the user
// takes them, then the view, the boxes shown and the files left compared with the row.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
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

inline Strings operator+(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A record of number, male text and the line it leads to, its other fields empty.
inline std::string R(const std::string& n, const std::string& male = "",
                     const std::string& jump = "") {
  return "{" + n + "}{" + male + "}{}{}{}{" + jump + "}{}\r\n";
}

// Descriptors open in this process: a command leaves none behind, failed or not.
inline int OpenFds() {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    // The descriptor that holds the lock on a loaded file is meant to stay.
    std::ifstream info("/proc/self/fdinfo/" + e.path().filename().string());
    const std::string text(std::istreambuf_iterator<char>(info), {});
    if (text.find("\nlock:") == std::string::npos) ++n;
  }
  return n;
}

inline std::string Join(const ListBox& list) {
  std::string out;
  for (std::size_t i = 0; i < list.items.size(); ++i)
    out.append(i ? "," : "").append(list.items[i]);
  return out;
}

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
  const char* icon = b.icon == MsgIcon::Critical      ? "critical"
                     : b.icon == MsgIcon::Information ? "information"
                     : b.icon == MsgIcon::Exclamation ? "exclamation"
                                                      : "none";
  const char* buttons = b.buttons == MsgButtons::YesNo         ? "yes/no "
                        : b.buttons == MsgButtons::YesNoCancel ? "yes/no/cancel "
                                                               : "";
  return buttons + std::string(icon) + " " + b.title + ": " + text;
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
  std::string* Text(const std::string& name) {
    static const std::map<std::string, TextBox EditorWindow::*> kBoxes = {
        {"lineNumber", &EditorWindow::lineNumber},
        {"goToNumber", &EditorWindow::goToNumber},
        {"maleText", &EditorWindow::maleText},
        {"femaleText", &EditorWindow::femaleText},
        {"executionFlags", &EditorWindow::executionFlags},
        {"jumpLine", &EditorWindow::jumpLine},
        {"newLineNumber", &EditorWindow::newLineNumber},
        {"replyFlags", &EditorWindow::replyFlags},
        {"conditionFlags", &EditorWindow::conditionFlags}};
    if (name == "fileList") return &ed.window.fileList.fileName;
    if (name == "caption") return &ed.window.caption;
    auto it = kBoxes.find(name);
    return it == kBoxes.end() ? nullptr : &(ed.window.*it->second).text;
  }
  ListBox* List(const std::string& name) {
    return name == "replies"       ? &ed.window.replies
           : name == "usedNumbers" ? &ed.window.usedNumbers
                                   : nullptr;
  }
  // One step: "Yes"/"No"/"Cancel" and "input:<text>" queue answers; "box=text" types into a box
  // (or picks a file with fileList=); "list#row" selects a row (-1: none);
  // "write:name=bytes", "link:name=target", "folder:name", "fifo:name" and "remove:name" change the
  // folder behind the editor's back; "fail rename(s)" fails the next rename (or every one from it),
  // "refuse lock" every lock; "same size and time:name=bytes" changes a file as a program could
  // that hides its change; "unload, copy not deleted" is Unload's part in the working copy
  // with a delete that fails;
  // "?box=text" and "?list=a,b" check what a control shows ("?files=" the file list, "?undo="
  // and "?redo=" the names of the menu items, "" when disabled, "?back=" and "?forward=" yes or
  // no, "?copy=" the working copy's bytes); anything else is a command by its caption.
  void Step(const std::string& step) {
    // clang-format off
    static const std::map<std::string, void (*)(Editor&)> kCommands = {
        {"Load File", LoadFile}, {"Unload File", UnloadFile},
        {"Save", Save}, {"Save As", SaveAs}, {"Quit", Quit},
        {"Go to 1", GoToFirstLine}, {"Go to:", GoToTypedLine}, {"Jump", FollowJump},
        {"Edit Response", EditResponse}, {"Respond", Respond},
        {"Add Line", AddLine}, {"Save New Line", SaveNewLine},
        {"leave box", LeaveFieldBox}, {"pick response", PickReply},
        {"Go to number", GoToUsedNumber},
        {"Undo", Undo}, {"Redo", Redo}, {"Back", GoBack}, {"Forward", GoForward},
        {"Delete Line", DeleteLine}, {"Renumber Line", RenumberLine},
        {"Add Line for Jump Target", AddJumpTarget},
        {"close window", [](Editor& e) { CloseWindow(e); }}};
    // clang-format on
    const std::size_t eq = step.find('='), hash = step.rfind('#');
    if (step == "Yes" || step == "No" || step == "Cancel") {
      platform.answers.push_back(step == "Yes"  ? MsgAnswer::Yes
                                 : step == "No" ? MsgAnswer::No
                                                : MsgAnswer::Cancel);
    } else if (step.starts_with("input:")) {
      platform.inputs.push_back(step.substr(6));
    } else if (step.starts_with("write:")) {
      dir.Put(step.substr(6, eq - 6), step.substr(eq + 1));
    } else if (step.starts_with("link:")) {
      std::filesystem::create_symlink(step.substr(eq + 1), dir.File(step.substr(5, eq - 5)));
    } else if (step.starts_with("folder:")) {
      std::filesystem::create_directories(dir.File(step.substr(7)));
    } else if (step.starts_with("fifo:")) {
      ::mkfifo(dir.File(step.substr(5)).c_str(), 0600);
    } else if (step == "fail rename" || step == "fail renames") {  // the next one, or every one
      ops.Arm({OpKind::Rename, ops.Calls(OpKind::Rename) + 1, step.ends_with('s'), EIO});
    } else if (step == "refuse lock") {
      ops.lockError = EACCES;
    } else if (step.starts_with("same size and time:")) {
      const std::string path = dir.File(step.substr(19, eq - 19)), bytes = step.substr(eq + 1);
      struct stat st {};
      ASSERT_EQ(::stat(path.c_str(), &st), 0);
      ASSERT_EQ(static_cast<std::size_t>(st.st_size), bytes.size());
      std::ofstream(path, std::ios::binary | std::ios::in) << bytes;
      const timespec times[2] = {st.st_atim, st.st_mtim};
      ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    } else if (step == "unload, copy not deleted") {
      ops.Arm({OpKind::Unlink, ops.Calls(OpKind::Unlink) + 1, false, EACCES});
      DropWorkingCopy(ed);
      ReleaseDialogue(ed);
      ed.state.fileLoaded = false;
    } else if (step.starts_with("remove:")) {
      std::filesystem::remove(dir.File(step.substr(7)));
    } else if (step.starts_with("?")) {
      const std::string name = step.substr(1, eq - 1), want = step.substr(eq + 1);
      if (name == "files") {  // the file list
        std::string got;
        for (const std::string& f : ed.window.fileList.files) got += (got.empty() ? "" : ",") + f;
        EXPECT_EQ(got, want) << step;
        return;
      }
      if (name == "undo" || name == "redo" || name == "back" || name == "forward" ||
          name == "copy") {
        const std::string got =
            name == "undo"   ? (CanUndo(ed) ? UndoName(ed) : "")
            : name == "redo" ? (CanRedo(ed) ? RedoName(ed) : "")
            : name == "copy" ? ReadBytes(ed.state.WorkingCopyPath())
                             : ((name == "back" ? CanGoBack(ed) : CanGoForward(ed)) ? "yes" : "no");
        EXPECT_EQ(got, want) << step;
        return;
      }
      if (name == "ended" || name == "prompts") {
        std::string got = platform.ended ? "yes" : "no";
        if (name == "prompts") got = platform.prompts.empty() ? "" : platform.prompts.back();
        EXPECT_EQ(got, want);
        return;
      }
      ListBox* list = List(name);
      ASSERT_TRUE(list || Text(name)) << step;
      EXPECT_EQ(list ? Join(*list) : *Text(name), want) << step;
    } else if (eq != std::string::npos && Text(step.substr(0, eq))) {
      *Text(step.substr(0, eq)) = step.substr(eq + 1);
    } else if (hash != std::string::npos && List(step.substr(0, hash))) {
      List(step.substr(0, hash))->selected = std::stoi(step.substr(hash + 1));
    } else {
      auto it = kCommands.find(step);
      ASSERT_NE(it, kCommands.end()) << "no such step: " << step;
      it->second(ed);
    }
  }
};

// One row of a step table: "a.dlg" holds `file` and is loaded; after the steps the view and
// the boxes are as given, and the folder holds a.dlg and its working copy as loaded except
// for the files named in `changed` (kGone: removed).
struct Row {
  const char* name;
  std::string file;
  Strings steps;
  std::string view;
  Strings boxes = {};
  Folder changed = {};
};
inline void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
inline std::string RowName(const testing::TestParamInfo<Row>& info) { return info.param.name; }

// `own` takes the steps of a test's own commands first: true for a step it ran.
using OwnSteps = std::function<bool(Session&, const std::string&)>;
inline void RunRow(const Row& row, const OwnSteps& own = {}) {
  const int fds = OpenFds();
  Session s(row.file);
  for (const std::string& step : row.steps)
    if (!own || !own(s, step)) s.Step(step);
  EXPECT_EQ(View(s.ed.window), row.view);
  EXPECT_EQ(s.Boxes(), row.boxes);
  Folder want{{"a.dlg", row.file}, {"a.dlg.bak", row.file}};
  for (const auto& [name, bytes] : row.changed) {
    if (bytes == kGone) {
      want.erase(name);
    } else {
      want[name] = bytes;
    }
  }
  EXPECT_EQ(s.Files(), want);
  EXPECT_EQ(OpenFds(), fds) << "descriptors left open";
}

}  // namespace dlg::test
