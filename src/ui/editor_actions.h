#pragma once
// The one registry of the editor's menu commands: the menu each stands in, its text, its
// shortcuts, and the button whose handler it runs and whose enabled state it follows; and of the
// Conversation and Play windows' own keys. The menu bar, the two windows' shortcuts and the
// Keyboard Shortcuts box are built from it.

#include <QKeySequence>
#include <QList>
#include <span>
#include <string>

#include "commands/editor.h"

namespace dlg::ui {

enum class ActionId {
  NewDialogue,
  OpenRecent,  // a menu of its own, filled from the user's settings
  LoadFile,
  Save,
  SaveAs,
  ExportForTranslation,
  ImportTranslation,
  UnloadFile,
  Quit,
  Undo,
  Redo,
  DeleteLine,
  RenumberLine,
  FindInFiles,
  AddLine,
  SaveNewLine,
  LeaveNewLine,
  AddJumpTarget,
  Back,
  Forward,
  GoToLine,
  GoToFirst,
  PlayFromHere,
  Conversation,
  Play,
  Find,
  KeyboardShortcuts,
  About,
};

struct ActionInfo {
  ActionId id;
  const char* menu;  // its title, with the mnemonic; "&File/&Translation" for a submenu
  const char* text;
  const char* shortcuts;  // portable key names, "; " between two; "" for none
  // The control whose state it follows (a button, or the box Go to Line puts the focus in), or
  // the state of the editor it needs; neither: always enabled.
  const char* control;
  bool (*enabled)(const Editor&);
  void (*run)(Editor&);      // the button's handler; nullptr: the window acts itself
  const char* boxKeys = "";  // for the help: the keys that run it inside a box of its own
};

std::span<const ActionInfo> EditorActions();
const ActionInfo& EditorAction(ActionId id);

// What the Conversation window does on keys of its own, beside the editor's Find and Find in
// Files, which it takes from the menus' entries.
enum class ConversationActionId { ZoomIn, ZoomOut, FitMap };

struct ConversationAction {
  ConversationActionId id;
  const char* text;
  const char* shortcuts;       // as in ActionInfo
  const char* otherWays = "";  // for the help: what does it without a key
};

std::span<const ConversationAction> ConversationActions();

// The Play window's keys.
enum class PlayActionId { ChooseReply, Back, Restart };

struct PlayAction {
  PlayActionId id;
  const char* text;
  const char* shortcuts;  // as in ActionInfo; ChooseReply's n-th key chooses the n-th reply
  const char* shownAs;    // for the help
};

std::span<const PlayAction> PlayActions();

// The key sequences of a registry entry's shortcuts.
QList<QKeySequence> KeysOf(const char* shortcuts);

// "Save: Ctrl+S" lines, menu by menu, for the Keyboard Shortcuts box.
std::string ShortcutList();

}  // namespace dlg::ui
