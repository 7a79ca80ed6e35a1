#pragma once
// Which member of the window model each widget of the editor window shows, and which handler
// each of its events runs.

#include "commands/add_line.h"
#include "commands/edit_response.h"
#include "commands/editor.h"
#include "commands/line_view.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_close.h"
#include "commands/window_commands.h"

namespace dlg::ui {

struct TextBinding {
  const char* name;
  TextBox EditorWindow::*box;
  bool fieldBox;  // its loss of focus writes the line (FieldBox_LostFocus)
};

inline constexpr TextBinding kTextBindings[] = {
    {"txtLineNum", &EditorWindow::txtLineNum, false},
    {"txtgoline", &EditorWindow::txtgoline, false},
    {"txtnpc", &EditorWindow::txtnpc, false},
    {"txtDialogue", &EditorWindow::txtDialogue, true},
    {"txtfemale", &EditorWindow::txtfemale, true},
    {"txtIntCheck", &EditorWindow::txtIntCheck, true},
    {"txtFlags1", &EditorWindow::txtFlags1, true},
    {"txtlinejump", &EditorWindow::txtlinejump, true},
    {"txtflags2", &EditorWindow::txtflags2, true},
    {"txtaddline", &EditorWindow::txtaddline, false},
    {"txtflags", &EditorWindow::txtflags, false},
};

struct ListBinding {
  const char* name;
  ListBox EditorWindow::*list;
  void (*click)(Editor&);
  void (*doubleClick)(Editor&);
};

inline constexpr ListBinding kListBindings[] = {
    {"lstusednum", &EditorWindow::lstusednum, nullptr, lstusednum_DblClick},
    {"lstflags", &EditorWindow::lstflags, nullptr, nullptr},
    {"lsthideline", &EditorWindow::lsthideline, nullptr, nullptr},
    {"lstresponses", &EditorWindow::lstresponses, lstresponses_Click, lstresponses_DblClick},
    {"lstint", &EditorWindow::lstint, nullptr, nullptr},
    {"lstForM", &EditorWindow::lstForM, nullptr, nullptr},
    {"lstline", &EditorWindow::lstline, nullptr, nullptr},
};

struct ButtonBinding {
  const char* name;
  Button EditorWindow::*button;
  void (*click)(Editor&);  // nullptr: none
  bool opensFlagEditor;
};

inline constexpr ButtonBinding kButtonBindings[] = {
    {"Command2", &EditorWindow::Command2, Command2_Click, false},
    {"Command8", &EditorWindow::Command8, Command8_Click, false},
    {"Commandsave", &EditorWindow::Commandsave, Commandsave_Click, false},
    {"Command9", &EditorWindow::Command9, Command9_Click, false},
    {"Command6", &EditorWindow::Command6, Command6_Click, false},
    {"Command7", &EditorWindow::Command7, Command7_Click, false},
    {"Command5", &EditorWindow::Command5, Command5_Click, false},
    {"Command10", &EditorWindow::Command10, Command10_Click, true},
    {"Command3", &EditorWindow::Command3, Command3_Click, false},
    {"cmdadd", &EditorWindow::cmdadd, cmdadd_Click, true},
    {"cmdsaveline", &EditorWindow::cmdsaveline, cmdsaveline_Click, false},
    {"cmdaddline", &EditorWindow::cmdaddline, cmdaddline_Click, false},
    {"Command4", &EditorWindow::Command4, Command4_Click, false},
    {"cdmsave", &EditorWindow::cdmsave, nullptr, false},  // never shown: runs nothing
    {"Command1", &EditorWindow::Command1, Command1_Click, false},
};

struct FrameBinding {
  const char* name;
  Frame EditorWindow::*frame;
};

inline constexpr FrameBinding kFrameBindings[] = {
    {"frmBrowse", &EditorWindow::frmBrowse},
    {"Frame1", &EditorWindow::Frame1},
    {"Frame2", &EditorWindow::Frame2},
};

}  // namespace dlg::ui
