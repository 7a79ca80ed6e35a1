#include "ui/editor_actions.h"

#include <QKeySequence>
#include <cstdlib>

#include "commands/add_line.h"
#include "commands/back_forward.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/open_named.h"
#include "commands/save_close.h"
#include "commands/shape_lines.h"
#include "commands/translation.h"
#include "commands/undo.h"
#include "commands/window_commands.h"
#include "ui/control_names.h"

namespace dlg::ui {

namespace {

bool FileLoaded(const Editor& ed) { return ed.state.fileLoaded; }
// A new line is not in the working copy yet, so a play from it would only say it does not exist.
bool LineShown(const Editor& ed) {
  return ed.state.fileLoaded && !ed.state.newLineMode && !ed.window.lineNumber.text.empty();
}
bool InNewLineMode(const Editor& ed) { return ed.state.newLineMode; }

constexpr ActionInfo kActions[] = {
    {ActionId::NewDialogue, "&File", "New Dialogue...", "Ctrl+N", nullptr, nullptr, NewDialogue},
    {ActionId::OpenRecent, "&File", "Open Recent", "", nullptr, nullptr, nullptr},
    {ActionId::LoadFile, "&File", "Load File", "", control::kLoadFile, nullptr, LoadFile},
    {ActionId::Save, "&File", "Save", "Ctrl+S", control::kSave, nullptr, Save},
    {ActionId::SaveAs, "&File", "Save As...", "", control::kSaveAs, nullptr, SaveAs},
    {ActionId::ExportForTranslation, "&File/&Translation", "Export for Translation...", "",
     control::kSave, nullptr, ExportForTranslation},
    {ActionId::ImportTranslation, "&File/&Translation", "Import Translation...", "", control::kSave,
     nullptr, ImportTranslation},
    {ActionId::UnloadFile, "&File", "Unload File", "", control::kUnloadFile, nullptr, UnloadFile},
    {ActionId::Quit, "&File", "Quit", "Ctrl+Q", control::kQuit, nullptr, Quit},
    {ActionId::Undo, "&Edit", "Undo", "Ctrl+Z", nullptr, CanUndo, Undo},
    {ActionId::Redo, "&Edit", "Redo", "Ctrl+Shift+Z; Ctrl+Y", nullptr, CanRedo, Redo},
    {ActionId::DeleteLine, "&Edit", "Delete Line", "", nullptr, CanDeleteLine, DeleteLine},
    {ActionId::RenumberLine, "&Edit", "Renumber Line...", "", nullptr, CanRenumberLine,
     RenumberLine},
    {ActionId::FindInFiles, "&Edit", "Find in Files...", "Ctrl+Shift+F", nullptr, nullptr, nullptr},
    {ActionId::AddLine, "&Edit", "Add Line", "", control::kAddLine, nullptr, AddLine,
     "Enter in the Add Line number box"},
    {ActionId::SaveNewLine, "&Edit", "Save New Line", "Ctrl+Return; Ctrl+Enter",
     control::kSaveNewLine, nullptr, SaveNewLine},
    {ActionId::LeaveNewLine, "&Edit", "Leave New Line", "Esc", nullptr, InNewLineMode,
     EscapeNewLine},
    {ActionId::AddJumpTarget, "&Edit", "Add Line for Jump Target", "", nullptr, CanAddJumpTarget,
     AddJumpTarget, "Ctrl+Enter in the Jump to Line box"},
    {ActionId::Back, "&Go", "Back", "Alt+Left", nullptr, CanGoBack, GoBack},
    {ActionId::Forward, "&Go", "Forward", "Alt+Right", nullptr, CanGoForward, GoForward},
    {ActionId::GoToLine, "&Go", "Go to Line", "Ctrl+G", control::kGoToNumber, nullptr, nullptr,
     "then Enter in the Go to: box"},
    {ActionId::GoToFirst, "&Go", "Go to 1", "", control::kGoToFirst, nullptr, GoToFirstLine},
    {ActionId::PlayFromHere, "&Go", "Play from Here", "Shift+F5", nullptr, LineShown, nullptr},
    {ActionId::Conversation, "&View", "Conversation", "Ctrl+M", nullptr, nullptr, nullptr},
    {ActionId::Play, "&View", "Play", "F5", nullptr, FileLoaded, nullptr},
    {ActionId::Find, "&View", "Find", "Ctrl+F", nullptr, nullptr, nullptr},
    {ActionId::KeyboardShortcuts, "&Help", "Keyboard Shortcuts", "", nullptr, nullptr, nullptr},
    {ActionId::About, "&Help", "About", "", nullptr, nullptr, ShowAbout},
};

constexpr ConversationAction kConversationActions[] = {
    {ConversationActionId::ZoomIn, "Zoom the map in", "Ctrl++; Ctrl+=", "Ctrl and the mouse wheel"},
    {ConversationActionId::ZoomOut, "Zoom the map out", "Ctrl+-", "Ctrl and the mouse wheel"},
    {ConversationActionId::FitMap, "Fit the map to the window", "Ctrl+0"},
};

constexpr PlayAction kPlayActions[] = {
    {PlayActionId::ChooseReply, "Choose a reply in the Play window (Choose)",
     "1; 2; 3; 4; 5; 6; 7; 8; 9", "1 to 9"},
    {PlayActionId::Back, "Take the last choice back in the Play window (Back)", "Backspace",
     "Backspace"},
    {PlayActionId::Restart, "Begin again in the Play window (Restart)", "F5", "F5"},
};

// "Redo: Ctrl+Shift+Z or Ctrl+Y, then ..." for the help, or nothing for an entry without keys.
void AppendRow(std::string& text, const char* name, const char* shortcuts, const char* more) {
  if (*shortcuts == '\0' && *more == '\0') return;
  std::string keys = shortcuts;
  for (std::size_t at; (at = keys.find("; ")) != std::string::npos;) keys.replace(at, 2, " or ");
  if (*more != '\0') keys.append(keys.empty() ? "" : ", ").append(more);
  text.append(name).append(": ").append(keys).append("\n");
}

}  // namespace

std::span<const ActionInfo> EditorActions() { return kActions; }

const ActionInfo& EditorAction(ActionId id) {
  for (const ActionInfo& a : kActions)
    if (a.id == id) return a;
  std::abort();  // every id has its entry
}

std::span<const ConversationAction> ConversationActions() { return kConversationActions; }

std::span<const PlayAction> PlayActions() { return kPlayActions; }

QList<QKeySequence> KeysOf(const char* shortcuts) {
  return QKeySequence::listFromString(QString::fromLatin1(shortcuts), QKeySequence::PortableText);
}

std::string ShortcutList() {
  std::string text;
  for (const ActionInfo& a : kActions) AppendRow(text, a.text, a.shortcuts, a.boxKeys);
  // The keys of the lists and the boxes, which no menu holds.
  text +=
      "Follow a reply, go to a listed number, load a file, open a folder: Enter in its list\n"
      "Answer Cancel in a Yes/No/Cancel box: Esc\n"
      "Go to the line of an item in the Conversation window: Enter or a double-click\n";
  for (const ConversationAction& a : kConversationActions)
    AppendRow(text, a.text, a.shortcuts, a.otherWays);
  for (const PlayAction& a : kPlayActions) AppendRow(text, a.text, "", a.shownAs);
  text.pop_back();  // the box ends with its last row
  return text;
}

}  // namespace dlg::ui
