// Load File's lock, checks and question about a copy found; the checks that Save, Save As,
// Unload and Quit make before they write or delete; the line as last shown.

#include "commands/work_safety.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "commands/editor.h"
#include "commands/rewrite_working_copy.h"

namespace dlg {
namespace {

void ReportRefusal(Editor& ed, const std::string& op, const std::string& path,
                   const std::string& why) {
  ReportFileError(ed, FileResult::Refuse(path, op, why).failure);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Temporary files are named "." + the target's name + ".tmp-" + process id + "-" + count.
// Those of this file and its two copies whose process is gone are strays of a killed editor.
void RemoveStrays(Editor& ed, const std::string& path, bool scratchCopyLeft) {
  const std::string name = path.substr(path.rfind('/') + 1);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(FolderOf(path), ec)) {
    const std::string file = entry.path().filename().string();
    for (const char* copy : {"", ".bak", ".bok"}) {
      // The file layer cuts a long name to 200 bytes in its temporary names.
      const std::string prefix = "." + (name + copy).substr(0, 200) + ".tmp-";
      if (file.compare(0, prefix.size(), prefix) != 0) continue;
      const pid_t pid = static_cast<pid_t>(std::atol(file.c_str() + prefix.size()));
      if (pid > 0 && ::kill(pid, 0) < 0 && errno == ESRCH) ed.files.Delete(entry.path().string());
    }
  }
  // A scratch copy lives only within one rewrite; one that is there now was left by a crash.
  if (scratchCopyLeft) {
    if (FileResult r = ed.files.Delete(path + ".bok"); !r) ReportFileError(ed, r.failure);
  }
}

struct CopiesFound {
  bool ok = false;
  bool working = false, scratch = false;
};

// Both copies are written and deleted by name; anything but a regular file there is not ours.
CopiesFound FindCopies(Editor& ed, const std::string& path) {
  CopiesFound found;
  for (bool* exists : {&found.working, &found.scratch}) {
    const std::string copy = path + (exists == &found.working ? ".bak" : ".bok");
    struct stat st {};
    const int r = ed.files.Ops().Lstat(copy, st);
    if (r < 0 && r != -ENOENT) {
      ReportFileError(ed, FileResult::Fail(copy, "read", -r).failure);
      return found;
    }
    if (r == 0 && !S_ISREG(st.st_mode)) {
      ReportRefusal(ed, "load", path, copy + " is not a regular file");
      return found;
    }
    *exists = r == 0;
  }
  found.ok = true;
  return found;
}

enum class Recovery { Fresh, Kept, Cancel, Failed };

// Reads the file `path` through once, block by block through a small buffer, so that a copy of
// 125 MB costs one read and neither a second copy in memory nor the page faults of one: the
// hash of its bytes and, when asked, whether they are exactly `compare`. `st` ends with the
// size of what was read.
FileResult ReadThrough(Editor& ed, const std::string& path, struct stat& st, std::uint64_t& hash,
                       std::string_view compare = {}, bool* same = nullptr) {
  FileOps& ops = ed.files.Ops();
  const int fd = ops.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return FileResult::Fail(path, "read", -fd);
  const int s = ops.Fstat(fd, st);
  FileResult r = s < 0                  ? FileResult::Fail(path, "read", -s)
                 : !S_ISREG(st.st_mode) ? FileResult::Refuse(path, "read", "not a regular file")
                                        : FileResult::Ok();
  FastHash sum;
  bool equal = true;
  std::size_t at = 0;
  char block[65536];
  while (r) {
    const ssize_t n = ops.Read(fd, block, sizeof block);
    if (n < 0) r = FileResult::Fail(path, "read", static_cast<int>(-n));
    if (n <= 0) break;
    const auto got = static_cast<std::size_t>(n);
    sum.Add({block, got});
    equal =
        equal && got <= compare.size() - at && std::memcmp(block, compare.data() + at, got) == 0;
    at += got;
  }
  const int c = ops.Close(fd);
  if (r && c < 0) r = FileResult::Fail(path, "read", -c);
  st.st_size = static_cast<off_t>(at);
  hash = sum.Value();
  if (same != nullptr) *same = r && equal && at == compare.size();
  return r;
}

// The first of "<copy>.1", "<copy>.2", ... that names nothing.
FileResult FreeNameBeside(Editor& ed, const std::string& copy, std::string& aside) {
  for (unsigned n = 1;; ++n) {
    aside = copy + "." + std::to_string(n);
    struct stat st {};
    const int r = ed.files.Ops().Lstat(aside, st);
    if (r == -ENOENT) return FileResult::Ok();
    if (r < 0) return FileResult::Fail(aside, "read", -r);
  }
}

// Renames `copy` to `aside`, or to the next free name should another program take that one
// first; whatever is there already stays. The folder is flushed by the working copy's write
// that follows.
FileResult KeepAside(Editor& ed, const std::string& copy, std::string& aside) {
  int r = -EEXIST;
  for (int attempt = 0; r == -EEXIST && attempt < 100; ++attempt) {
    if (attempt > 0) {
      if (FileResult free = FreeNameBeside(ed, copy, aside); !free) return free;
    }
    r = ed.files.Ops().RenameNoReplace(copy, aside);
  }
  return r < 0 ? FileResult::Fail(copy, "rename", -r) : FileResult::Ok();
}

// A copy found under the working copy's name at Load. One that this editor wrote itself, and
// then failed to delete or to load from, is its own: replaced unasked while it holds the file's
// text, offered as unsaved changes while it holds more. Anyone else's, a backup that a person
// or another tool keeps under that name as well as a working copy that another editor left, is
// never overwritten or deleted: the user goes on with its text, or it is kept under a name of
// its own. The text gone on with replaces `bytes`.
Recovery JudgeCopyFound(Editor& ed, const std::string& path, std::string& bytes) {
  const std::string copy = path + ".bak";
  struct stat found {};
  std::uint64_t foundHash = 0;
  bool same = false;
  FileResult r = ReadThrough(ed, copy, found, foundHash, bytes, &same);
  const FileIdentity& own = ed.safety.workingCopy;
  const bool ours = r && own.SamePlace(found) && found.st_size == own.size && foundHash == own.hash;
  if (ours && same) return Recovery::Fresh;
  std::string aside;
  if (r && !ours) r = FreeNameBeside(ed, copy, aside);
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
    if (r = KeepAside(ed, copy, aside); !r) {
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
    if (r = ed.files.ReplaceCopy(copy, {&piece, 1}, ed.safety.copyMode, true, &st); !r) {
      ReportFileError(ed, r.failure);
      return Recovery::Failed;
    }
  }
  ed.safety.workingCopy = FileIdentity::Of(st, hash);
  ed.safety.copyPath = copy;
  bytes.swap(kept);
  return Recovery::Kept;
}

// Takes the lock, then opens the dialogue file without blocking on a FIFO, refuses anything but
// a regular file and reads it.
bool LockAndRead(Editor& ed, const std::string& path, std::string& bytes) {
  FileOps& ops = ed.files.Ops();
  FileLock lock;
  if (FileResult taken = FileLock::Take(ops, path, lock); !taken) {
    if (taken.failure.error == EADDRINUSE) {
      ShowExclamation(ed, "File In Use",
                      path + " is open in another editor window. Unload it there first.");
    } else {
      ReportFileError(ed, taken.failure);
    }
    return false;
  }
  const int fd = ops.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) {
    ReportFileError(ed, FileResult::Fail(path, "read", -fd).failure);
    return false;
  }
  struct stat st {};
  const int r = ops.Fstat(fd, st);
  FileResult read = r < 0                  ? FileResult::Fail(path, "read", -r)
                    : !S_ISREG(st.st_mode) ? FileResult::Refuse(path, "load", "not a regular file")
                                           : ed.files.ReadOpen(fd, path, bytes, &st);
  const int c = ops.Close(fd);
  if (read && c < 0) read = FileResult::Fail(path, "read", -c);
  if (!read) {
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

// Unchanged when its place, size and time are as remembered, or else when its bytes are.
bool Unchanged(const FileIdentity& id, const struct stat& st, std::string_view bytes) {
  if (id.SameStat(st)) return true;
  return id.known && static_cast<off_t>(bytes.size()) == id.size && HashOf(bytes) == id.hash;
}

}  // namespace

bool TakeDialogue(Editor& ed, const std::string& path, std::string& bytes,
                  const std::function<void()>& meanwhile) {
  // What the editor knows of the last working copy it wrote tells its own from anyone's.
  const std::string copy = path + ".bak";
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
  FileResult r =
      ed.files.ReplaceCopy(copy, {&piece, 1}, ed.safety.copyMode, true, &st, nullptr, [&] {
        hash();
        meanwhile();
      });
  // The copy holds the dialogue file's bytes; one in place whose folder could not be flushed
  // is the editor's own all the same.
  if (r || r.replaced) {
    hash();
    ed.safety.workingCopy = FileIdentity::Of(st, ed.safety.dialogue.hash);
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
  const FileResult r = FileLock::Take(ed.files.Ops(), path, probe);
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
  if (const int r = ed.files.Ops().Lstat(copy, st); r != -ENOENT) {
    FileResult done = r < 0 ? FileResult::Fail(copy, "delete", -r) : FileResult::Ok();
    const FileIdentity& own = ed.safety.workingCopy;
    bool ours = done && S_ISREG(st.st_mode) && own.SamePlace(st) && !ed.safety.copyChanged;
    if (ours) {
      // By its bytes: a change written in place can keep both size and time.
      std::uint64_t hash = 0;
      done = ReadThrough(ed, copy, st, hash);
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
  if (const int r = ed.files.Ops().Lstat(scratch, st); r != -ENOENT) {
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

bool WriteShownLine(Editor& ed) {
  if (ed.state.newLineMode || !ShownLineEdited(ed)) return true;
  const RewriteOutcome outcome = RewriteEditedLine(ed);
  return outcome == RewriteOutcome::Written || outcome == RewriteOutcome::NothingMatched;
}

bool ReadWorkingCopyToSave(Editor& ed, std::string& bytes) {
  const std::string copy = ed.state.WorkingCopyPath();
  struct stat st {};
  if (FileResult r = ed.files.ReadAll(copy, bytes, &st); !r) {
    ReportFileError(ed, r.failure);
    return false;
  }
  // By its bytes, which are read anyway: a change written in place can keep size and time.
  const std::uint64_t hash = HashOf(bytes);
  const FileIdentity& own = ed.safety.workingCopy;
  if (!ed.safety.copyChanged && static_cast<off_t>(bytes.size()) == own.size && hash == own.hash)
    return true;
  // The user decides: the copy as it stands becomes the editor's own and goes out, or nothing
  // goes out and the copy stays as it is.
  if (AskExclamation(ed, "Working Copy Changed",
                     copy + " was changed by another program after this editor last wrote it. Yes: "
                            "save it as it now stands. No: save nothing and leave it as it is.",
                     MsgButtons::YesNo) != MsgAnswer::Yes)
    return false;
  ed.safety.workingCopy = FileIdentity::Of(st, hash);
  ed.safety.workingCopy.size = static_cast<off_t>(bytes.size());
  ed.safety.copyChanged = false;
  return true;
}

bool MayOverwriteDialogue(Editor& ed) {
  const std::string& path = ed.state.dialoguePath;
  const FileIdentity& seen = ed.safety.dialogue;
  // A file of another size than last seen was changed, and so was one that is gone; any other
  // is judged by its bytes, since a change written in place can keep both size and time.
  struct stat st {};
  const int s = ed.files.Ops().Stat(path, st);
  bool unchanged = false;
  if (s != -ENOENT && !(s == 0 && st.st_size != seen.size)) {
    std::uint64_t hash = 0;
    FileResult r = ReadThrough(ed, path, st, hash);
    // One that cannot be read cannot be judged.
    if (!r && r.failure.error != ENOENT) {
      ReportFileError(ed, r.failure);
      return false;
    }
    unchanged = r && st.st_size == seen.size && hash == seen.hash;
  }
  if (unchanged) return true;
  return AskExclamation(ed, "File Changed on Disk",
                        path +
                            " was changed by another program after it was loaded. Save over "
                            "those changes?",
                        MsgButtons::YesNo) == MsgAnswer::Yes;
}

void NoteSaved(Editor& ed, const struct stat& st) {
  // The bytes saved are the working copy's, which were just found to be what it last held. The
  // lock stays: it belongs to the file's place, not to the file that was there.
  ed.safety.dialogue = FileIdentity::Of(st, ed.safety.workingCopy.hash);
}

void CheckReadCopy(Editor& ed, const struct stat& st, std::string_view bytes) {
  if (!Unchanged(ed.safety.workingCopy, st, bytes)) ed.safety.copyChanged = true;
}

void NoteWrittenCopy(Editor& ed, const struct stat& st, std::uint64_t hash) {
  ed.safety.workingCopy = FileIdentity::Of(st, hash);
}

void RememberShownLine(Editor& ed) { ed.state.shownLine = RecordFromBoxes(ed.window); }

// Field by field, without a copy of the boxes: it runs at every loss of focus, whatever a field
// holds.
bool ShownLineEdited(const Editor& ed) {
  const EditorWindow& w = ed.window;
  const DialogueRecord& r = ed.state.shownLine;
  return w.txtLineNum.text != r.lineNumber || w.txtDialogue.text != r.maleText ||
         w.txtfemale.text != r.femaleText || w.txtIntCheck.text != r.intCheck ||
         w.txtFlags1.text != r.conditionFlags || w.txtlinejump.text != r.jumpLine ||
         w.txtflags2.text != r.executionFlags;
}

}  // namespace dlg
