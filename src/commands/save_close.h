#pragma once
// "Save", "Save As", "Unload File", "Quit" and the window's close box.

#include <string>

#include "commands/editor.h"

namespace dlg {

// The working copy holds bytes other than those of the dialogue file as last loaded or saved.
bool HasUnsavedChanges(const Editor& ed);
// The caption ends in " *" exactly while there are unsaved changes.
void ShowUnsavedMark(Editor& ed);
void Save(Editor& ed);        // "Save"
void SaveAs(Editor& ed);      // "Save As"
void UnloadFile(Editor& ed);  // "Unload File"
// Unloads for a file the user has just said to load: only unsaved changes are asked about.
void UnloadForAnotherFile(Editor& ed);
void Quit(Editor& ed);  // "Quit"
// The editor window is being closed; returns false when the close is refused (No to Quit).
bool CloseWindow(Editor& ed);
// A file name ending in ".dlg", in any letter case.
bool EndsInDlg(const std::string& name);

}  // namespace dlg
