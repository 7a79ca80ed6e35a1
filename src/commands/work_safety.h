#pragma once
// What keeps the user's work from being lost around the working copy: one editor per dialogue
// file, recovery of a working copy left behind, and the dialogue file and working copy as this
// editor last saw them, so that a change by another program is not overwritten unasked.

#include <sys/types.h>

#include <functional>
#include <string>

#include "dialogue/file_identity.h"
#include "dialogue/file_lock.h"

namespace dlg {

struct Editor;

struct WorkSafety {
  FileLock lock;             // on the loaded dialogue file
  FileIdentity dialogue;     // as read at Load or written by the last save
  FileIdentity workingCopy;  // as this editor last wrote (or kept) it
  bool copyChanged = false;  // a rewrite found the working copy changed behind the editor
  mode_t copyMode = 0600;    // the dialogue file's permission bits, plus owner write
};

// Load File's part before anything is shown: the lock, the checks of the file and its copies,
// the recovery question, the removal of strays and the working copy. False when nothing is to
// be loaded (the user was told, or answered Cancel); otherwise `bytes` are those to show.
// `meanwhile` (no file calls) runs while the working copy is flushed to disk, if one is written.
bool TakeDialogue(Editor& ed, const std::string& path, std::string& bytes,
                  const std::function<void()>& meanwhile);

// Unload and Quit: the working copy is deleted only while it is the one this editor wrote.
void DropWorkingCopy(Editor& ed);
void ReleaseDialogue(Editor& ed);

// Save and Save As, before they write: a line whose write failed is written again, and the
// working copy is read and checked. False when they must stop (the user was told).
bool WriteShownLine(Editor& ed);
bool ReadWorkingCopyToSave(Editor& ed, std::string& bytes);
// Save: false when the dialogue file was changed by another program and the user said No.
bool MayOverwriteDialogue(Editor& ed);
// After "Save": the dialogue file's new identity (`st` of the file written), and the lock on it.
void NoteSaved(Editor& ed, const struct stat& st);

// The rewrite: whether the working copy read is still this editor's, and what it wrote.
void CheckReadCopy(Editor& ed, const struct stat& st, std::string_view bytes);
void NoteWrittenCopy(Editor& ed, const struct stat& st, std::uint64_t hash);

// The line the boxes show, as read or last written; leaving a box that still matches it writes
// nothing.
void RememberShownLine(Editor& ed);
bool ShownLineEdited(const Editor& ed);

}  // namespace dlg
