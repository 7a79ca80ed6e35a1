// "Save", "Save As", "Unload File" and "Quit". The working copy is only ever copied out whole
// through Files, so a failed save leaves the file it would have replaced as it was.

#include "commands/save_close.h"

#include <sys/stat.h>

#include <cerrno>

#include "commands/add_line.h"
#include "commands/boxes.h"
#include "commands/browse.h"
#include "commands/file_names.h"
#include "commands/load_safety.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/save_safety.h"

namespace dlg {
namespace {

void ReportSaved(Editor& ed) {
  ed.platform.MessageBox("Changes Have Been Saved", "Saving Changes", MsgButtons::Ok,
                         MsgIcon::Information);
}

// The working copy is read into the editor's own buffer: a fresh one for each save would cost
// more than the reading.
std::string& SaveBuffer(Editor& ed) {
  ed.buffers.cache.Forget();
  return ed.buffers.read;
}

// False when the copy did not reach the destination whole and safely; the user was told.
bool WriteCopyTo(Editor& ed, const std::string& destination, const std::string& bytes,
                 bool reportSaved) {
  struct stat written {};
  FileResult r = ed.files.ReplaceWhole(destination, bytes, &written);
  if (r.InPlace() && destination == ed.state.dialoguePath) {
    NoteSaved(ed, written);
    ShowUnsavedMark(ed);
  }
  if (!r) {
    ReportFileError(ed, r.failure);
    return false;
  }
  if (reportSaved) ReportSaved(ed);
  return true;
}

// Save's checks and its write, without its question.
bool SaveLoadedFile(Editor& ed, bool reportSaved) {
  if (!MayOverwriteDialogue(ed) || !ReadWorkingCopyToSave(ed, SaveBuffer(ed))) return false;
  return WriteCopyTo(ed, ed.state.dialoguePath, ed.buffers.read, reportSaved);
}

// The user is throwing the working copy away, and with it the scratch copy that a field box
// left while a new line was being typed, the lock, and the history of Undo and Back.
void DeleteWorkingCopy(Editor& ed) {
  DropWorkingCopy(ed);
  ReleaseDialogue(ed);
  ed.ForgetFileHistory();
}

enum class Leaving { Stay, Go, AskAsUsual };

// Quit and Unload: the line shown is written first. With unsaved changes the user saves them
// (as Save does, without its question and its report), throws them away, or stays; without,
// the command asks its own question.
Leaving AskAboutUnsavedChanges(Editor& ed, const std::string& doing) {
  // A line that cannot be written (its working copy gone, or its folder closed to writing)
  // would otherwise keep the user in for good: they may go on without it.
  bool lineDropped = false;
  if (!WriteShownLine(ed)) {
    if (AskExclamation(ed, "Edit Not Saved",
                       "The edit of line " + ed.window.lineNumber.text +
                           " could not be written. Go on " + doing + " without it?",
                       MsgButtons::YesNo) != MsgAnswer::Yes)
      return Leaving::Stay;
    lineDropped = true;
  }
  if (!HasUnsavedChanges(ed)) return lineDropped ? Leaving::Go : Leaving::AskAsUsual;
  switch (AskExclamation(ed, "Save Changes?",
                         "Save the changes to " + ed.state.dialoguePath + " before " + doing + "?",
                         MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
      return SaveLoadedFile(ed, false) ? Leaving::Go : Leaving::Stay;
    case MsgAnswer::No:
      return Leaving::Go;
    default:
      return Leaving::Stay;
  }
}

bool MayLeave(Editor& ed, const std::string& doing, const std::string& title,
              const std::string& question) {
  const Leaving leaving = AskAboutUnsavedChanges(ed, doing);
  return leaving == Leaving::Go ||
         (leaving == Leaving::AskAsUsual && Confirmed(ed, title, question));
}

// Whether the program may end; a Yes while a file is loaded removes its working copy.
bool MayQuit(Editor& ed) {
  if (!ed.state.fileLoaded) return true;
  if (!MayLeaveNewLine(ed)) return false;
  if (!MayLeave(ed, "quitting", "Quit?", "Are you sure you want to quit?")) return false;
  DeleteWorkingCopy(ed);
  return true;
}

// The loaded file under its own name, or under another name that leads to it.
bool IsLoadedFile(Editor& ed, const std::string& path) {
  if (path == ed.state.dialoguePath) return true;
  struct stat a {};
  struct stat b {};
  return ed.files.Stat(path, a) == 0 && ed.files.Stat(ed.state.dialoguePath, b) == 0 &&
         a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file list shows what a Save As made; the loaded file stays the selected one.
void ListFolderAgain(Editor& ed) {
  EditorWindow& w = ed.window;
  const std::string selected = w.fileList.fileName;
  if (ShowFolder(w.fileList.path, w.folderList, w.fileList)) w.fileList.fileName = selected;
}

// Only a file is replaced: a folder, a device or a pipe under the name, or a link to one, is
// refused before any question about replacing it. `st` is the name's own status.
bool RefusedAsNoFile(Editor& ed, const std::string& path, struct stat st) {
  if (S_ISLNK(st.st_mode) && ed.files.Stat(path, st) != 0) return false;
  if (S_ISREG(st.st_mode)) return false;
  ShowCritical(ed, "Not a File",
               path + (S_ISDIR(st.st_mode) ? " is a folder" : " is not a regular file") +
                   ": Save As writes files only. Please enter another name.");
  return true;
}

void EndProgram(Editor& ed) {
  ed.flagEditor.reset();
  ed.platform.EndProgram();
}

}  // namespace

bool EndsInDlg(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return end == ".dlg";
}

bool HasUnsavedChanges(const Editor& ed) {
  const FileIdentity& copy = ed.safety.workingCopy;
  const FileIdentity& file = ed.safety.dialogue;
  return ed.state.fileLoaded && (copy.size != file.size || copy.hash != file.hash);
}

void ShowUnsavedMark(Editor& ed) {
  static constexpr std::string_view kMark = " *";
  std::string& caption = ed.window.caption;
  const bool marked = caption.ends_with(kMark);
  if (HasUnsavedChanges(ed) == marked) return;
  if (marked) {
    caption.resize(caption.size() - kMark.size());
  } else {
    caption += kMark;
  }
}

// An edit whose write failed is tried again first: no save goes out without the line shown.
void Save(Editor& ed) {
  if (!WriteShownLine(ed)) return;
  if (!Confirmed(ed, "Oberwrite?",
                 "Are you sure you wish to overwrite " + ed.state.dialoguePath + "?"))
    return;
  SaveLoadedFile(ed, true);
}

void SaveAs(Editor& ed) {
  if (!WriteShownLine(ed)) return;
  const std::string entry =
      ed.platform.InputBox("Enter the name for the new .DLG file: ", "Save As");
  if (entry.empty() || !IsOneFileName(ed, entry, "saved")) return;
  const std::string destination =
      JoinPath(ed.window.fileList.path, EndsInDlg(entry) ? entry : entry + ".dlg");
  if (!LeavesRoomForCopies(ed, destination)) return;
  if (IsLoadedFile(ed, destination)) {
    SaveLoadedFile(ed, true);
    return;
  }
  if (InUseByAnotherEditor(ed, destination)) {
    ShowFileInUse(ed, destination);
    return;
  }
  // Anything under that name, a link that leads nowhere included, is someone's file; a name
  // that cannot be looked at is not taken for a free one.
  struct stat st {};
  if (const int r = ed.files.Lstat(destination, st); r < 0 && r != -ENOENT) {
    ReportFileError(ed, FileResult::Fail(destination, "write", -r).failure);
    return;
  } else if (r == 0 && S_ISLNK(st.st_mode) && ed.files.Stat(destination, st) == -ENOENT) {
    // Followed, it would make a file wherever the link points, outside the folder shown.
    ShowExclamation(ed, "Link Leads Nowhere",
                    destination +
                        " is a link to a file that does not exist. Please choose "
                        "another name.");
    return;
  } else if (r == 0 && RefusedAsNoFile(ed, destination, st)) {
    return;
  } else if (r == 0 &&
             AskExclamation(ed, "Replace File?", destination + " already exists. Replace it?",
                            MsgButtons::YesNo) != MsgAnswer::Yes) {
    return;
  }
  if (!ReadWorkingCopyToSave(ed, SaveBuffer(ed))) return;
  if (!WriteCopyTo(ed, destination, ed.buffers.read, true)) return;
  ++ed.state.otherFileWrites;
  ListFolderAgain(ed);
}

namespace {

void Unload(Editor& ed) {
  EditorWindow& w = ed.window;
  ed.state.fileLoaded = false;
  w.caption = kEditorCaption;
  DeleteWorkingCopy(ed);
  // What the Flag Editor composes belongs to the line unloaded, not to the next file's.
  if (ed.flagEditor) CancelFlags(*ed.flagEditor, ed.Flags());

  ClearLineView(ed);
  w.usedNumbers.Clear();
  LeaveNewLineMode(ed);
  w.goToFirst.visible = true;
  SetFileLoadedControls(w, false);
}

}  // namespace

void UnloadFile(Editor& ed) {
  if (!MayLeaveNewLine(ed)) return;
  if (MayLeave(ed, "unloading", "Unload?", "Really unload " + ed.state.dialoguePath + "?")) {
    Unload(ed);
  }
}

void UnloadForAnotherFile(Editor& ed) {
  if (!MayLeaveNewLine(ed)) return;
  if (AskAboutUnsavedChanges(ed, "unloading") != Leaving::Stay) Unload(ed);
}

// A No keeps the editor open as it was, the working copy included.
void Quit(Editor& ed) {
  if (MayQuit(ed)) EndProgram(ed);
}

bool CloseWindow(Editor& ed) {
  if (!MayQuit(ed)) return false;
  EndProgram(ed);
  return true;
}

}  // namespace dlg
