// The checks that Save, Save As, Unload and Quit make before they write, and the identity of the
// working copy and the dialogue file that they check against.

#include "commands/save_safety.h"

#include <cerrno>

#include "commands/boxes.h"
#include "commands/rewrite_working_copy.h"

namespace dlg {
namespace {

// Unchanged when its place, size and time are as remembered, or else when its bytes are.
bool Unchanged(const FileIdentity& id, const struct stat& st, std::string_view bytes) {
  if (id.SameStat(st)) return true;
  return id.known && static_cast<off_t>(bytes.size()) == id.size && HashOf(bytes) == id.hash;
}

}  // namespace

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
  FileIdentity taken = FileIdentity::Of(st, hash);
  taken.size = static_cast<off_t>(bytes.size());
  NoteWorkingCopy(ed, taken);
  ed.safety.copyChanged = false;
  return true;
}

bool MayOverwriteDialogue(Editor& ed) {
  const std::string& path = ed.state.dialoguePath;
  const FileIdentity& seen = ed.safety.dialogue;
  // A file of another size than last seen was changed, and so was one that is gone; any other
  // is judged by its bytes, since a change written in place can keep both size and time.
  struct stat st {};
  const int s = ed.files.Stat(path, st);
  bool unchanged = false;
  if (s != -ENOENT && !(s == 0 && st.st_size != seen.size)) {
    std::uint64_t hash = 0;
    FileResult r = ed.files.HashFile(path, st, hash);
    // One that cannot be read cannot be judged.
    if (!r && r.failure.error != ENOENT) {
      ReportFileError(ed, r.failure);
      return false;
    }
    unchanged = r && st.st_size == seen.size && hash == seen.hash;
  }
  if (unchanged) return true;
  const std::string what = s == -ENOENT ? " was deleted or moved by another program after it was "
                                          "loaded. Save it again?"
                                        : " was changed by another program after it was loaded. "
                                          "Save over those changes?";
  return AskExclamation(ed, "File Changed on Disk", path + what, MsgButtons::YesNo) ==
         MsgAnswer::Yes;
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
  NoteWorkingCopy(ed, FileIdentity::Of(st, hash));
}

void NoteWorkingCopy(Editor& ed, const FileIdentity& copy) {
  ed.safety.workingCopy = copy;
  ++ed.state.copyWrites;
}

}  // namespace dlg
