#pragma once
// What keeps the user's work from being lost around the working copy: one editor per dialogue
// file, a copy found under the working copy's name offered or kept, never overwritten, and the
// dialogue file and working copy as this editor last saw them, so that a change by another
// program is neither overwritten nor deleted unasked. Load File takes it (load_safety.h); Save
// and Save As check against it before they write (save_safety.h).

#include <sys/types.h>

#include <string>

#include "fileio/file_identity.h"
#include "fileio/file_lock.h"

namespace dlg {

struct WorkSafety {
  FileLock lock;             // on the loaded dialogue file's place
  FileIdentity dialogue;     // as read at Load or written by the last save
  FileIdentity workingCopy;  // as this editor last wrote (or took up) it
  std::string copyPath;      // the working copy that `workingCopy` describes
  bool copyChanged = false;  // a read found the working copy changed behind the editor
  mode_t copyMode = 0600;    // the dialogue file's permission bits, plus owner write
};

}  // namespace dlg
