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
  Frame browseFrame;
  DriveList driveList;
  FolderList folderList;
  FileList fileList;
  Button loadFile;                 // "Load File"
  Button unloadFile{false, true};  // "Unload File"
  Button save{false, true};        // "Save"
  Button saveAs{false, true};      // "Save As"
  Button quit;                     // "Quit"

  // Dialogue frame: disabled until a file is loaded.
  Frame dialogueFrame{false, true};
  TextBox lineNumber{"", false, true};
  Button goToFirst;  // "Go to 1"
  Button goTo;       // "Go to:"
  TextBox goToNumber;
  TextBox lineKind{"", false, true};
  ComboBox lineKindChoice{{"NPC", "PC"}, "NPC", true, false};
  ListBox usedNumbers;
  TextBox maleText;
  TextBox femaleText;
  TextBox intCheck;
  TextBox conditionFlags;
  Button addConditionFlags;  // "Add Flags" for conditionFlags
  TextBox jumpLine;
  Button jump;  // "Jump"
  TextBox executionFlags;
  Button addExecutionFlags;         // "Add Flags" for executionFlags
  Button saveNewLine{true, false};  // "Save New Line"
  ListBox replyFlagTexts{{}, -1, true, false};
  TextBox newLineNumber;
  Button addLine;  // "Add Line"

  // Responses frame.
  Frame repliesFrame;
  ListBox replyNumbers;
  ListBox replies;
  ListBox replyIntChecks;
  ListBox replyForms;
  ListBox replyTargets;
  TextBox replyFlags;
  Button editResponse;               // "Edit Response"
  Button saveResponse{true, false};  // "Save Changes to This Response", never shown
  Button respond{true, false};       // "Respond", never shown

  // The box the keys go to once the window is drawn, asked for by a command; nullptr: leave the
  // focus where it is. The window clears it when it has moved the focus.
  TextBox EditorWindow::*focus = nullptr;
  bool focusSelectsAll = false;  // the box's text selected, for the keys to type over
};

// The boxes of the record's seven fields, in record order (as kRecordFields).
inline constexpr std::array<TextBox EditorWindow::*, 7> kRecordBoxes = {
    &EditorWindow::lineNumber,    &EditorWindow::maleText,       &EditorWindow::femaleText,
    &EditorWindow::intCheck,      &EditorWindow::conditionFlags, &EditorWindow::jumpLine,
    &EditorWindow::executionFlags};

}  // namespace dlg
