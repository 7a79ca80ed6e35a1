#pragma once
// What keeps the user's work from being lost around the working copy: one editor per dialogue
// file, a copy found under the working copy's name offered or kept, never overwritten, and the
// dialogue file and working copy as this editor last saw them, so that a change by another
// program is neither overwritten nor deleted unasked.

#include <sys/types.h>

#include <functional>
#include <string>

#include "dialogue/file_identity.h"
#include "dialogue/file_lock.h"

namespace dlg {

struct Editor;

struct WorkSafety {
  FileLock lock;             // on the loaded dialogue file's place
  FileIdentity dialogue;     // as read at Load or written by the last save
  FileIdentity workingCopy;  // as this editor last wrote (or took up) it
  std::string copyPath;      // the working copy that `workingCopy` describes
  bool copyChanged = false;  // a read found the working copy changed behind the editor
  mode_t copyMode = 0600;    // the dialogue file's permission bits, plus owner write
};

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

// Save and Save As, before they write: a line whose write failed is written again, and the
// working copy is read and checked; one changed by another program goes out only if the user
// says so. False when they must stop (the user was told or said No).
bool WriteShownLine(Editor& ed);
bool ReadWorkingCopyToSave(Editor& ed, std::string& bytes);
// Save: false when the dialogue file was changed by another program and the user said No.
bool MayOverwriteDialogue(Editor& ed);
// After "Save": the dialogue file's new identity (`st` of the file written).
void NoteSaved(Editor& ed, const struct stat& st);

// The rewrite: whether the working copy read is still this editor's, and what it wrote.
void CheckReadCopy(Editor& ed, const struct stat& st, std::string_view bytes);
void NoteWrittenCopy(Editor& ed, const struct stat& st, std::uint64_t hash);

// The line the boxes show, as read or last written; leaving a box that still matches it writes
// nothing.
void RememberShownLine(Editor& ed);
bool ShownLineEdited(const Editor& ed);

}  // namespace dlg
