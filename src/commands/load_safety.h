#pragma once
// Load File's part in keeping the user's work: the lock, the checks of the file and its copies,
// the question about a copy found, the removal of strays; and, at Unload and Quit, letting go.

#include <functional>
#include <string>

#include "commands/editor.h"

namespace dlg {

// Load File's part before anything is shown: the lock, the checks of the file and its copies,
// the question about a copy found, the removal of strays and the working copy. False when nothing
// is to be loaded (the user was told, or answered Cancel); otherwise `bytes` are those to show.
// `meanwhile` (no file calls) runs while the working copy is flushed to disk, if one is written.
bool TakeDialogue(Editor& ed, const std::string& path, std::string& bytes,
                  const std::function<void()>& meanwhile);

// Save As: whether another editor window has the file `path` loaded (and so owns its working
// copy). A folder that cannot be looked at says no: the write that follows finds out.
bool InUseByAnotherEditor(Editor& ed, const std::string& path);

// Unload and Quit: the working copy is deleted only while it holds what this editor last wrote;
// otherwise it stays, and the user is told.
void DropWorkingCopy(Editor& ed);
void ReleaseDialogue(Editor& ed);

}  // namespace dlg
