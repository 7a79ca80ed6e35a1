#pragma once
// "Save", "Save As", "Unload File", "Quit" and the window's close box.

#include "commands/editor.h"

namespace dlg {

// The working copy holds bytes other than those of the dialogue file as last loaded or saved.
bool HasUnsavedChanges(const Editor& ed);
// The caption ends in " *" exactly while there are unsaved changes.
void ShowUnsavedMark(Editor& ed);
void Commandsave_Click(Editor& ed);  // "Save"
void Command9_Click(Editor& ed);     // "Save As"
void Command8_Click(Editor& ed);     // "Unload File"
void Command6_Click(Editor& ed);     // "Quit"
// The editor window is being closed; returns false when the close is refused (No to Quit).
bool Form_Unload(Editor& ed);

}  // namespace dlg
