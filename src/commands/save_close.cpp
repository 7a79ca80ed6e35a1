// "Save", "Save As", "Unload File" and "Quit". The working copy is only ever copied out whole
// through Files, so a failed save leaves the file it would have replaced as it was.

#include <sys/stat.h>

#include "commands/browse.h"
#include "commands/editor.h"

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

void WriteCopyTo(Editor& ed, const std::string& destination, const std::string& bytes) {
  struct stat written {};
  FileResult r = ed.files.ReplaceWhole(destination, bytes, true, &written);
  if ((r || r.replaced) && destination == ed.state.dialoguePath) {
    NoteSaved(ed, written);
  }
  if (!r) {
    ReportFileError(ed, r.failure);
    return;
  }
  ReportSaved(ed);
}

// The user is throwing the working copy away, and with it the scratch copy that a field box
// left while a new line was being typed, and the lock.
void DeleteWorkingCopy(Editor& ed) {
  DropWorkingCopy(ed);
  ReleaseDialogue(ed);
}

// Whether the program may end; a Yes while a file is loaded removes its working copy.
bool MayQuit(Editor& ed) {
  if (!ed.state.fileLoaded) return true;
  if (!Confirmed(ed, "Quit?", "Are you sure you want to quit?")) return false;
  DeleteWorkingCopy(ed);
  return true;
}

void EndProgram(Editor& ed) {
  ed.flagEditor.reset();
  ed.platform.EndProgram();
}

}  // namespace

// An edit whose write failed is tried again first: no save goes out without the line shown.
void Commandsave_Click(Editor& ed) {
  if (!WriteShownLine(ed)) return;
  if (!Confirmed(ed, "Oberwrite?",
                 "Are you sure you wish to overwrite " + ed.state.dialoguePath + "?"))
    return;
  if (!MayOverwriteDialogue(ed) || !ReadWorkingCopyToSave(ed, SaveBuffer(ed))) return;
  WriteCopyTo(ed, ed.state.dialoguePath, ed.buffers.read);
}

void Command9_Click(Editor& ed) {
  if (!WriteShownLine(ed)) return;
  std::string entry = ed.platform.InputBox("Enter the name for the new .DLG file: ", "Save As");
  if (entry.empty()) return;
  if (!ReadWorkingCopyToSave(ed, SaveBuffer(ed))) return;
  WriteCopyTo(ed, JoinPath(ed.window.File1.path, entry + ".dlg"), ed.buffers.read);
}

void Command8_Click(Editor& ed) {
  if (!Confirmed(ed, "Unload?", "Really unload " + ed.state.dialoguePath + "?")) return;
  EditorWindow& w = ed.window;
  ed.state.fileLoaded = false;
  w.caption = kEditorCaption;
  DeleteWorkingCopy(ed);

  ClearLineView(ed);
  w.lstusednum.Clear();
  LeaveNewLineMode(ed);
  w.Command7.visible = true;
  SetFileLoadedControls(w, false);
}

// A No keeps the editor open as it was, the working copy included.
void Command6_Click(Editor& ed) {
  if (MayQuit(ed)) EndProgram(ed);
}

bool Form_Unload(Editor& ed) {
  if (!MayQuit(ed)) return false;
  EndProgram(ed);
  return true;
}

}  // namespace dlg
