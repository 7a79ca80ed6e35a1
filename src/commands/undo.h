#pragma once
// Undo and Redo. Every write of the working copy by this editor is one step: a line written on
// leaving a box or before going elsewhere, "Save New Line", Delete Line and Renumber Line. A
// step keeps only the bytes it replaced and wrote; undoing it is one more write through the
// same crash-safe replace of the working copy, made only on the very bytes that the step left.

#include <span>
#include <string>
#include <string_view>

#include "commands/editor.h"
#include "commands/undo_history.h"

namespace dlg {

// Undo first takes back what no step holds yet: a new line being typed (it leaves new-line
// mode and shows again the line from which "Add Line" was clicked, once the user has said
// whether to save what was typed), then an edit of the boxes not yet written (the boxes show the
// line as last read or written again, and Redo brings the edit back while they do). Neither
// writes, unless the new line is saved.
bool CanUndo(const Editor& ed);
bool CanRedo(const Editor& ed);  // not while the boxes hold what Undo would take back first
// What the menu item names after "Undo " or "Redo ": "Edit of Line 12", "New Line 30", "Delete
// Line 12", "Renumber Line 12 to 15", "Typing", "Add Line 30"; "" when there is none.
std::string UndoName(const Editor& ed);
std::string RedoName(const Editor& ed);
void Undo(Editor& ed);
void Redo(Editor& ed);

// The write just made, `pieces` over `old` (runs of it in order, and the new bytes between
// them), becomes the step undone next; `step` brings its name and lines. What could be redone
// is gone then. A write that changed no byte is no step.
void RecordStep(Editor& ed, std::string_view old, std::span<const std::string_view> pieces,
                UndoStep step);

}  // namespace dlg
