#pragma once
// The editor window as data: one member per control that a command reads or changes, named as
// the control, with its state at start-up. Labels never change and live only in the Qt layer.

#include <array>
#include <string>

#include "commands/controls.h"

namespace dlg {

inline constexpr const char* kEditorCaption = "Ashgloam -DLG Editor";

struct EditorWindow {
  std::string caption = kEditorCaption;

  // Browse frame.
  Frame frmBrowse;
  DriveList Drive1;
  FolderList Dir1;
  FileList File1;
  Button Command2;                  // "Load File"
  Button Command8{false, true};     // "Unload File"
  Button Commandsave{false, true};  // "Save"
  Button Command9{false, true};     // "Save As"
  Button Command6;                  // "Quit"

  // Dialogue frame: disabled until a file is loaded.
  Frame Frame1{false, true};
  TextBox txtLineNum{"", false, true};
  Button Command7;  // "Go to 1"
  Button Command5;  // "Go to:"
  TextBox txtgoline;
  TextBox txtnpc{"", false, true};
  ComboBox lstnpc{{"NPC", "PC"}, "NPC", true, false};
  ListBox lstusednum;
  TextBox txtDialogue;
  TextBox txtfemale;
  TextBox txtIntCheck;
  TextBox txtFlags1;
  Button Command10;  // "Add Flags" for txtFlags1
  TextBox txtlinejump;
  Button Command3;  // "Jump"
  TextBox txtflags2;
  Button cmdadd;                    // "Add Flags" for txtflags2
  Button cmdsaveline{true, false};  // "Save New Line"
  ListBox lstflags{{}, -1, true, false};
  TextBox txtaddline;
  Button cmdaddline;  // "Add Line"

  // Responses frame.
  Frame Frame2;
  ListBox lsthideline;
  ListBox lstresponses;
  ListBox lstint;
  ListBox lstForM;
  ListBox lstline;
  TextBox txtflags;
  Button Command4;               // "Edit Response"
  Button cdmsave{true, false};   // "Save Changes to This Response", never shown
  Button Command1{true, false};  // "Respond", never shown
};

// The boxes of the record's seven fields, in record order (as kRecordFields).
inline constexpr std::array<TextBox EditorWindow::*, 7> kRecordBoxes = {
    &EditorWindow::txtLineNum,  &EditorWindow::txtDialogue, &EditorWindow::txtfemale,
    &EditorWindow::txtIntCheck, &EditorWindow::txtFlags1,   &EditorWindow::txtlinejump,
    &EditorWindow::txtflags2};

}  // namespace dlg
