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
#include "ui/control_names.h"

namespace dlg::ui {

struct TextBinding {
  const char* name;
  TextBox EditorWindow::*box;
  bool fieldBox;  // its loss of focus writes the line (LeaveFieldBox)
};

inline constexpr TextBinding kTextBindings[] = {
    {control::kLineNumber, &EditorWindow::lineNumber, false},
    {control::kGoToNumber, &EditorWindow::goToNumber, false},
    {control::kLineKind, &EditorWindow::lineKind, false},
    {control::kMaleText, &EditorWindow::maleText, true},
    {control::kFemaleText, &EditorWindow::femaleText, true},
    {control::kIntCheck, &EditorWindow::intCheck, true},
    {control::kConditionFlags, &EditorWindow::conditionFlags, true},
    {control::kJumpLine, &EditorWindow::jumpLine, true},
    {control::kExecutionFlags, &EditorWindow::executionFlags, true},
    {control::kNewLineNumber, &EditorWindow::newLineNumber, false},
    {control::kReplyFlags, &EditorWindow::replyFlags, false},
};

struct ListBinding {
  const char* name;
  ListBox EditorWindow::*list;
  void (*click)(Editor&);
  void (*doubleClick)(Editor&);
};

inline constexpr ListBinding kListBindings[] = {
    {control::kUsedNumbers, &EditorWindow::usedNumbers, nullptr, GoToUsedNumber},
    {control::kReplyFlagTexts, &EditorWindow::replyFlagTexts, nullptr, nullptr},
    {control::kReplyNumbers, &EditorWindow::replyNumbers, nullptr, nullptr},
    {control::kReplies, &EditorWindow::replies, PickReply, Respond},
    {control::kReplyIntChecks, &EditorWindow::replyIntChecks, nullptr, nullptr},
    {control::kReplyForms, &EditorWindow::replyForms, nullptr, nullptr},
    {control::kReplyTargets, &EditorWindow::replyTargets, nullptr, nullptr},
};

struct ButtonBinding {
  const char* name;
  Button EditorWindow::*button;
  void (*click)(Editor&);  // nullptr: none
  bool opensFlagEditor;
};

inline constexpr ButtonBinding kButtonBindings[] = {
    {control::kLoadFile, &EditorWindow::loadFile, LoadFile, false},
    {control::kUnloadFile, &EditorWindow::unloadFile, UnloadFile, false},
    {control::kSave, &EditorWindow::save, Save, false},
    {control::kSaveAs, &EditorWindow::saveAs, SaveAs, false},
    {control::kQuit, &EditorWindow::quit, Quit, false},
    {control::kGoToFirst, &EditorWindow::goToFirst, GoToFirstLine, false},
    {control::kGoTo, &EditorWindow::goTo, GoToTypedLine, false},
    {control::kAddConditionFlags, &EditorWindow::addConditionFlags, AddConditionFlags, true},
    {control::kJump, &EditorWindow::jump, FollowJump, false},
    {control::kAddExecutionFlags, &EditorWindow::addExecutionFlags, AddExecutionFlags, true},
    {control::kSaveNewLine, &EditorWindow::saveNewLine, SaveNewLine, false},
    {control::kAddLine, &EditorWindow::addLine, AddLine, false},
    {control::kEditResponse, &EditorWindow::editResponse, EditResponse, false},
    {control::kSaveResponse, &EditorWindow::saveResponse, nullptr,
     false},  // never shown: runs nothing
    {control::kRespond, &EditorWindow::respond, Respond, false},
};

struct FrameBinding {
  const char* name;
  Frame EditorWindow::*frame;
};

inline constexpr FrameBinding kFrameBindings[] = {
    {control::kBrowseFrame, &EditorWindow::browseFrame},
    {control::kDialogueFrame, &EditorWindow::dialogueFrame},
    {control::kRepliesFrame, &EditorWindow::repliesFrame},
};

}  // namespace dlg::ui
