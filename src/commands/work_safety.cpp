// Load File's lock, checks and recovery question; the checks that Save, Save As, Unload and Quit
// make before they write or delete; the line as last shown.

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

// Same: the copy left behind holds the file's bytes and stays as it is.
enum class Recovery { Fresh, Same, Kept, Cancel, Failed };

// Whether the file `path` holds exactly `bytes`: its size first, then block by block through a
// small buffer, so that a working copy of 125 MB left behind costs one read, and neither a
// second copy in memory nor the page faults of one.
FileResult SameBytes(Editor& ed, const std::string& path, std::string_view bytes, bool& same,
                     struct stat& st) {
  FileOps& ops = ed.files.Ops();
  same = false;
  const int fd = ops.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) return FileResult::Fail(path, "read", -fd);
  const int s = ops.Fstat(fd, st);
  FileResult r = s < 0                  ? FileResult::Fail(path, "read", -s)
                 : !S_ISREG(st.st_mode) ? FileResult::Refuse(path, "read", "not a regular file")
                                        : FileResult::Ok();
  same = r && static_cast<std::size_t>(st.st_size) == bytes.size();
  char block[65536];
  for (std::size_t at = 0; r && same;) {
    const ssize_t n = ops.Read(fd, block, sizeof block);
    if (n < 0) r = FileResult::Fail(path, "read", static_cast<int>(-n));
    if (n <= 0) {
      same = r && at == bytes.size();
      break;
    }
    const auto got = static_cast<std::size_t>(n);
    same = got <= bytes.size() - at && std::memcmp(block, bytes.data() + at, got) == 0;
    at += got;
  }
  const int c = ops.Close(fd);
  if (r && c < 0) r = FileResult::Fail(path, "read", -c);
  if (!r) same = false;
  return r;
}

// A working copy that differs from the file holds edits that were never saved. Kept, its bytes
// replace `bytes`.
Recovery AskRecovery(Editor& ed, const std::string& path, std::string& bytes) {
  const std::string copy = path + ".bak";
  bool same = false;
  struct stat left {};
  if (FileResult r = SameBytes(ed, copy, bytes, same, left); !r) {
    ReportFileError(ed, r.failure);
    return Recovery::Failed;
  }
  if (same) {
    // Writing the same bytes again would only cost a write and a flush of the whole file; a copy
    // readable to more people than the file is made anew all the same.
    if ((left.st_mode & 0777 & ~ed.safety.copyMode) != 0) return Recovery::Fresh;
    ed.safety.workingCopy = FileIdentity::Of(left, ed.safety.dialogue.hash);
    return Recovery::Same;
  }
  const MsgAnswer a = AskExclamation(
      ed, "Unsaved Changes Found",
      "The working copy " + copy + " holds changes that were never saved to " + path +
          ". Yes: go on with those changes. No: discard them and load the file as it is. "
          "Cancel: load nothing.",
      MsgButtons::YesNoCancel);
  if (a == MsgAnswer::Cancel) return Recovery::Cancel;
  if (a != MsgAnswer::Yes) return Recovery::Fresh;
  struct stat st {};
  std::string kept;
  if (FileResult r = ed.files.ReadAll(copy, kept, &st); !r) {
    ReportFileError(ed, r.failure);
    return Recovery::Failed;
  }
  const std::uint64_t hash = HashOf(kept);
  // A copy left readable to more people than the file itself is made anew, byte for byte, with
  // the file's narrower mode.
  if ((st.st_mode & 0777 & ~ed.safety.copyMode) != 0) {
    const std::string_view piece = kept;
    if (FileResult r = ed.files.ReplaceCopy(copy, {&piece, 1}, ed.safety.copyMode, true, &st); !r) {
      ReportFileError(ed, r.failure);
      return Recovery::Failed;
    }
  }
  ed.safety.workingCopy = FileIdentity::Of(st, hash);
  bytes.swap(kept);
  return Recovery::Kept;
}

// Opens the dialogue file without blocking on a FIFO, refuses anything but a regular file,
// takes the lock and reads the bytes through the locked descriptor.
bool LockAndRead(Editor& ed, const std::string& path, std::string& bytes) {
  FileOps& ops = ed.files.Ops();
  const int fd = ops.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) {
    ReportFileError(ed, FileResult::Fail(path, "read", -fd).failure);
    return false;
  }
  struct stat st {};
  int r = ops.Fstat(fd, st);
  if (r < 0 || !S_ISREG(st.st_mode)) {
    ops.Close(fd);
    if (r < 0) ReportFileError(ed, FileResult::Fail(path, "read", -r).failure);
    if (r == 0) ReportRefusal(ed, "load", path, "not a regular file");
    return false;
  }
  FileLock lock;
  if (r = FileLock::Take(ops, fd, lock); r == -EWOULDBLOCK) {
    ops.Close(fd);
    ShowExclamation(ed, "File In Use",
                    path + " is open in another editor window. Unload it there first.");
    return false;
  }
  // A file system that has no locks at all (some network and FUSE ones) still loads, unlocked;
  // the checks of the file and its working copy at Save remain.
  if (r < 0) lock = FileLock(ops, fd);
  if (FileResult read = ed.files.ReadOpen(fd, path, bytes, &st); !read) {
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
  ed.safety = WorkSafety{};
  if (!LockAndRead(ed, path, bytes)) return false;
  // The hash of the file's bytes is taken while the working copy is flushed to disk, or at once
  // where a working copy left behind is to be judged by it.
  bool hashed = false;
  auto hash = [&] {
    if (!hashed) ed.safety.dialogue.hash = HashOf(bytes);
    hashed = true;
  };
  const CopiesFound copies = FindCopies(ed, path);
  if (copies.ok && copies.working) hash();
  const Recovery recovery = !copies.ok
                                ? Recovery::Failed
                                : (copies.working ? AskRecovery(ed, path, bytes) : Recovery::Fresh);
  if (recovery == Recovery::Cancel || recovery == Recovery::Failed) {
    ReleaseDialogue(ed);
    return false;
  }
  RemoveStrays(ed, path, copies.scratch);
  if (recovery == Recovery::Kept || recovery == Recovery::Same) return true;
  const std::string_view piece = bytes;
  struct stat st {};
  FileResult r =
      ed.files.ReplaceCopy(path + ".bak", {&piece, 1}, ed.safety.copyMode, true, &st, nullptr, [&] {
        hash();
        meanwhile();
      });
  if (!r) {
    ReportFileError(ed, r.failure);
    ReleaseDialogue(ed);
    return false;
  }
  // The copy holds the dialogue file's bytes.
  hash();
  ed.safety.workingCopy = FileIdentity::Of(st, ed.safety.dialogue.hash);
  return true;
}

// Another program's file under the working copy's name is left alone, and so is a scratch
// copy that is not a plain file. One that is already gone needs no word; of two failures the
// user hears of the first.
void DropWorkingCopy(Editor& ed) {
  std::optional<FileError> first;
  for (const std::string& copy : {ed.state.WorkingCopyPath(), ed.state.ScratchCopyPath()}) {
    struct stat st {};
    const int r = ed.files.Ops().Lstat(copy, st);
    if (r == -ENOENT) continue;
    FileResult done = r < 0 ? FileResult::Fail(copy, "delete", -r) : FileResult::Ok();
    const bool ours = copy == ed.state.WorkingCopyPath() ? ed.safety.workingCopy.SamePlace(st)
                                                         : S_ISREG(st.st_mode);
    if (done && ours) done = ed.files.Delete(copy);
    if (!done && !first) first = done.failure;
  }
  if (first) ReportFileError(ed, *first);
}

// What the editor knows of its copies stays until the next Load, so that a delete that failed
// can be tried again.
void ReleaseDialogue(Editor& ed) { ed.safety.lock.Release(); }

bool WriteShownLine(Editor& ed) {
  if (ed.state.newLineMode || !ShownLineEdited(ed)) return true;
  const RewriteOutcome outcome = RewriteEditedLine(ed);
  return outcome == RewriteOutcome::Written || outcome == RewriteOutcome::NothingMatched;
}

bool ReadWorkingCopyToSave(Editor& ed, std::string& bytes) {
  const std::string copy = ed.state.WorkingCopyPath();
  struct stat st {};
  FileResult r = ed.files.ReadAll(copy, bytes, &st);
  if (!r) {
    ReportFileError(ed, r.failure);
    return false;
  }
  if (ed.safety.copyChanged || !Unchanged(ed.safety.workingCopy, st, bytes)) {
    ReportFileError(
        ed, FileResult::Refuse(ed.state.dialoguePath, "save",
                               "its working copy " + copy + " was changed by another program")
                .failure);
    return false;
  }
  return true;
}

bool MayOverwriteDialogue(Editor& ed) {
  const std::string& path = ed.state.dialoguePath;
  struct stat st {};
  if (ed.files.Ops().Stat(path, st) == 0 && ed.safety.dialogue.SameStat(st)) return true;
  std::string bytes;
  FileResult r = ed.files.ReadAll(path, bytes, &st);
  // A file that is gone was changed too; one that cannot be read cannot be judged.
  if (!r && r.failure.error != ENOENT) {
    ReportFileError(ed, r.failure);
    return false;
  }
  if (r && Unchanged(ed.safety.dialogue, st, bytes)) return true;
  return AskExclamation(ed, "File Changed on Disk",
                        path +
                            " was changed by another program after it was loaded. Save over "
                            "those changes?",
                        MsgButtons::YesNo) == MsgAnswer::Yes;
}

void NoteSaved(Editor& ed, const struct stat& st) {
  // The bytes saved are the working copy's, which were just found to be what it last held.
  ed.safety.dialogue = FileIdentity::Of(st, ed.safety.workingCopy.hash);
  // The save put a new file in place of the locked one: the lock moves to it.
  ed.safety.lock.MoveTo(ed.state.dialoguePath);
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
