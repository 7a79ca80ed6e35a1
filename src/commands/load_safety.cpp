// Load File's lock, checks and question about a copy found, the removal of strays, and the end
// of it all at Unload and Quit.

#include "commands/load_safety.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string_view>

#include "commands/boxes.h"
#include "commands/save_close.h"
#include "commands/save_safety.h"
#include "fileio/paths.h"

namespace dlg {
namespace {

struct CopiesFound {
  bool ok = false;
  bool working = false, scratch = false;
};

// Both copies are written and deleted by name; anything but a regular file there is not ours.
CopiesFound FindCopies(Editor& ed, const std::string& path) {
  CopiesFound found;
  for (bool* exists : {&found.working, &found.scratch}) {
    const std::string copy = exists == &found.working ? WorkingCopyOf(path) : ScratchCopyOf(path);
    struct stat st {};
    const int r = ed.files.Lstat(copy, st);
    if (r < 0 && r != -ENOENT) {
      ReportFileError(ed, FileResult::Fail(copy, "read", -r).failure);
      return found;
    }
    if (r == 0 && !S_ISREG(st.st_mode)) {
      ReportFileError(ed,
                      FileResult::Refuse(path, "load", copy + " is not a regular file").failure);
      return found;
    }
    *exists = r == 0;
  }
  found.ok = true;
  return found;
}

// Temporary files whose process is gone are strays of a killed editor: those of any dialogue file
// of the folder and its copies, for a Save As or a new file cut off before it made its file
// leaves one under a name that is never loaded.
void RemoveStrays(Editor& ed, const std::string& path, bool scratchCopyLeft) {
  ed.files.RemoveStrayTemps(FolderOf(path), [](std::string_view target) {
    for (std::string_view end : {std::string_view(), kWorkingCopyEnd, kScratchCopyEnd}) {
      if (target.size() < end.size() || !target.ends_with(end)) continue;
      if (EndsInDlg(std::string(target.substr(0, target.size() - end.size())))) return true;
    }
    return false;
  });
  // A scratch copy lives only within one rewrite; one that is there now was left by a crash.
  if (scratchCopyLeft) {
    if (FileResult r = ed.files.Delete(ScratchCopyOf(path)); !r) ReportFileError(ed, r.failure);
  }
}

enum class Recovery { Fresh, Kept, Cancel, Failed };

// A copy found under the working copy's name at Load. One that this editor wrote itself, and
// then failed to delete or to load from, is its own: replaced unasked while it holds the file's
// text, offered as unsaved changes while it holds more. Anyone else's, a backup that a person
// or another tool keeps under that name as well as a working copy that another editor left, is
// never overwritten or deleted: the user goes on with its text, or it is kept under a name of
// its own. The text gone on with replaces `bytes`.
Recovery JudgeCopyFound(Editor& ed, const std::string& path, std::string& bytes) {
  const std::string copy = WorkingCopyOf(path);
  struct stat found {};
  std::uint64_t foundHash = 0;
  bool same = false;
  FileResult r = ed.files.HashFile(copy, found, foundHash, bytes, &same);
  const FileIdentity& own = ed.safety.workingCopy;
  const bool ours = r && own.SamePlace(found) && found.st_size == own.size && foundHash == own.hash;
  if (ours && same) return Recovery::Fresh;
  std::string aside;
  if (r && !ours) r = ed.files.FreeNameBeside(copy, aside);
  if (!r) {
    ReportFileError(ed, r.failure);
    return Recovery::Failed;
  }
  MsgAnswer a = MsgAnswer::No;
  if (ours) {
    a = AskExclamation(ed, "Unsaved Changes Found",
                       copy + " holds changes made in this window that were never saved to " +
                           path +
                           ". Yes: go on with those changes. No: discard them and load the file "
                           "as it is. Cancel: load nothing.",
                       MsgButtons::YesNoCancel);
  } else if (!same) {
    a = AskExclamation(ed, "Copy Found",
                       copy + " differs from " + path +
                           ". It may hold changes that an editor never saved, or be a copy that "
                           "someone keeps. Yes: go on with its text. No: keep it as " +
                           aside + " and load the file as it is. Cancel: load nothing.",
                       MsgButtons::YesNoCancel);
  }
  if (a == MsgAnswer::Cancel) return Recovery::Cancel;
  if (a != MsgAnswer::Yes && ours) return Recovery::Fresh;
  if (a != MsgAnswer::Yes) {
    // The folder is flushed by the working copy's write that follows.
    if (r = ed.files.MoveAside(copy, aside); !r) {
      ReportFileError(ed, r.failure);
      return Recovery::Failed;
    }
    // Asked nothing, the user would look for it under its old name.
    if (same) {
      ShowExclamation(ed, "Copy Kept",
                      copy + " holds the same text as " + path + ". It is kept as " + aside +
                          ", since the editor keeps its working copy under its name.");
    }
    return Recovery::Fresh;
  }
  struct stat st {};
  std::string kept;
  if (r = ed.files.ReadAll(copy, kept, &st); !r) {
    ReportFileError(ed, r.failure);
    return Recovery::Failed;
  }
  const std::uint64_t hash = HashOf(kept);
  // A copy left readable to more people than the file itself is made anew, byte for byte, with
  // the file's narrower mode.
  if ((st.st_mode & 0777 & ~ed.safety.copyMode) != 0) {
    const std::string_view piece = kept;
    if (r = ed.files.ReplaceCopy(copy, {&piece, 1}, ed.safety.copyMode, &st); !r) {
      ReportFileError(ed, r.failure);
      return Recovery::Failed;
    }
  }
  NoteWorkingCopy(ed, FileIdentity::Of(st, hash));
  ed.safety.copyPath = copy;
  bytes.swap(kept);
  return Recovery::Kept;
}

// Takes the lock, then reads the dialogue file, refusing anything but a regular file.
bool LockAndRead(Editor& ed, const std::string& path, std::string& bytes) {
  FileLock lock;
  if (FileResult taken = ed.files.Lock(path, lock); !taken) {
    if (taken.failure.error == EADDRINUSE) {
      ShowFileInUse(ed, path);
    } else {
      ReportFileError(ed, taken.failure);
    }
    return false;
  }
  struct stat st {};
  if (FileResult read = ed.files.ReadAll(path, bytes, &st); !read) {
    // What is no file is refused as a load; a read that failed is one.
    if (!read.failure.refusal.empty()) read.failure.operation = "load";
    ReportFileError(ed, read.failure);
    return false;
  }
  ed.safety.lock = std::move(lock);
  ed.safety.dialogue = FileIdentity::Of(st, 0);  // the hash follows in TakeDialogue
  ed.safety.copyMode = (st.st_mode & 0777) | S_IWUSR;
  // A "Save As" shows the text to no one that the loaded file hides it from.
  ed.files.LimitNewFileMode(ed.safety.copyMode);
  return true;
}

}  // namespace

bool TakeDialogue(Editor& ed, const std::string& path, std::string& bytes,
                  const std::function<void()>& meanwhile) {
  // What the editor knows of the last working copy it wrote tells its own from anyone's.
  const std::string copy = WorkingCopyOf(path);
  WorkSafety taken;
  if (ed.safety.copyPath == copy && !ed.safety.copyChanged) {
    taken.workingCopy = ed.safety.workingCopy;
    taken.copyPath = copy;
  }
  ed.safety = std::move(taken);
  if (!LockAndRead(ed, path, bytes)) return false;
  // The hash of the file's bytes is taken while the working copy is flushed to disk, or at once
  // where a copy found is to be judged by it.
  bool hashed = false;
  auto hash = [&] {
    if (!hashed) ed.safety.dialogue.hash = HashOf(bytes);
    hashed = true;
  };
  const CopiesFound copies = FindCopies(ed, path);
  if (copies.ok && copies.working) hash();
  const Recovery recovery =
      !copies.ok ? Recovery::Failed
                 : (copies.working ? JudgeCopyFound(ed, path, bytes) : Recovery::Fresh);
  if (recovery == Recovery::Cancel || recovery == Recovery::Failed) {
    ReleaseDialogue(ed);
    return false;
  }
  RemoveStrays(ed, path, copies.scratch);
  if (recovery == Recovery::Kept) return true;
  const std::string_view piece = bytes;
  struct stat st {};
  FileResult r = ed.files.ReplaceCopy(copy, {&piece, 1}, ed.safety.copyMode, &st, nullptr, [&] {
    hash();
    meanwhile();
  });
  // The copy holds the dialogue file's bytes; one in place whose folder could not be flushed
  // is the editor's own all the same.
  if (r.InPlace()) {
    hash();
    NoteWorkingCopy(ed, FileIdentity::Of(st, ed.safety.dialogue.hash));
    ed.safety.copyPath = copy;
  }
  if (!r) {
    ReportFileError(ed, r.failure);
    ReleaseDialogue(ed);
    return false;
  }
  return true;
}

// The lock is taken and at once let go: it says whether another holds it.
bool InUseByAnotherEditor(Editor& ed, const std::string& path) {
  FileLock probe;
  const FileResult r = ed.files.Lock(path, probe);
  return !r && r.failure.error == EADDRINUSE;
}

// The working copy goes only while it holds what this editor last wrote (or took up); one that
// another program changed, or put in its place, is kept and the user told. A scratch copy that
// is not a plain file is left alone. One that is already gone needs no word; of two failures
// the user hears of the first.
void DropWorkingCopy(Editor& ed) {
  std::optional<FileError> first;
  const auto note = [&](const FileResult& r) {
    if (!r && !first) first = r.failure;
  };
  const std::string copy = ed.state.WorkingCopyPath();
  bool kept = false;
  struct stat st {};
  if (const int r = ed.files.Lstat(copy, st); r != -ENOENT) {
    FileResult done = r < 0 ? FileResult::Fail(copy, "delete", -r) : FileResult::Ok();
    const FileIdentity& own = ed.safety.workingCopy;
    bool ours = done && S_ISREG(st.st_mode) && own.SamePlace(st) && !ed.safety.copyChanged;
    if (ours) {
      // By its bytes: a change written in place can keep both size and time.
      std::uint64_t hash = 0;
      done = ed.files.HashFile(copy, st, hash);
      ours = done && st.st_size == own.size && hash == own.hash;
    }
    if (ours) done = ed.files.Delete(copy);
    // Gone, it is no longer the editor's: a file made later under its name, even with its
    // inode number and bytes, is someone else's.
    if (ours && done) ed.safety.copyPath.clear();
    kept = done && !ours;
    note(done);
  }
  const std::string scratch = ed.state.ScratchCopyPath();
  if (const int r = ed.files.Lstat(scratch, st); r != -ENOENT) {
    FileResult done = r < 0 ? FileResult::Fail(scratch, "delete", -r) : FileResult::Ok();
    if (done && S_ISREG(st.st_mode)) done = ed.files.Delete(scratch);
    note(done);
  }
  if (first) ReportFileError(ed, *first);
  if (kept) {
    ShowExclamation(ed, "Working Copy Kept",
                    copy +
                        " was changed by another program after this editor last wrote it, so "
                        "it was not deleted.");
  }
}

// What the editor knows of its copies stays until the next Load, so that a delete that failed
// can be tried again, and a copy it wrote and left is known as its own.
void ReleaseDialogue(Editor& ed) { ed.safety.lock.Release(); }

}  // namespace dlg
