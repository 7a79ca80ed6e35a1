// Start-up, the browse lists and "Load File".

#include <filesystem>

#include "commands/browse.h"
#include "commands/editor.h"
#include "dialogue/record_reader.h"

namespace dlg {

namespace {

bool MoveLists(Editor& ed, const std::string& folder) {
  FileResult r = ShowFolder(folder, ed.window.Dir1, ed.window.File1);
  if (!r) ReportFileError(ed, r.failure);
  return r.ok;
}

}  // namespace

void Form_Load(Editor& ed) {
  ed.state.fileLoaded = false;
  EditorWindow& w = ed.window;
  w.Drive1.drives = ListDrives();
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  const std::string start = ec ? std::string(1, '/') : cwd.string();
  w.Drive1.drive = DriveOf(w.Drive1.drives, NormalFolder(start));
  if (!MoveLists(ed, start)) MoveLists(ed, w.Drive1.drive);
}

void Drive1_Change(Editor& ed, const std::string& drive) {
  if (MoveLists(ed, drive)) ed.window.Drive1.drive = drive;
}

void Dir1_Change(Editor& ed, const std::string& path) {
  if (MoveLists(ed, path)) {
    ed.window.Drive1.drive = DriveOf(ed.window.Drive1.drives, ed.window.Dir1.path);
  }
}

void FirstRecordRead(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  currentChar = src.Read();  // the opener, not examined
  if (currentChar == kNoChar || currentChar == kClose) return;
  for (;;) {
    currentChar = src.Read();
    if (currentChar == kNoChar) return;
    if (currentChar == kClose) {
      ShowLine(src, currentChar, st, w);
      GatherResponses(src, currentChar, st, w);
      return;
    }
    AppendChar(w.txtLineNum.text, currentChar);
  }
}

void UsedNumberScan(CharSource& src, EditorState& st, EditorWindow& w) {
  std::string scanNumber;
  for (;;) {
    scanNumber.clear();
    if (src.AtEnd()) return;
    Char scanChar = src.Read();  // the record's opener
    if (scanChar == kCR || scanChar == kLF) return;
    if (scanChar != kClose) {
      for (;;) {
        scanChar = src.Read();
        if (scanChar == kNoChar || scanChar == kCR || scanChar == kLF) return;
        if (scanChar == kClose) break;
        AppendChar(scanNumber, scanChar);
      }
      w.lstusednum.Add(scanNumber);
      st.lastLineNumber = scanNumber;
    }
    if (scanChar != kCR && src.SkipThrough('\r') == kNoChar) return;
    if (src.Read() == kNoChar) return;  // the LF
  }
}

void Command2_Click(Editor& ed) {
  EditorWindow& w = ed.window;
  EditorState& st = ed.state;
  if (w.File1.fileName.empty()) {
    ed.platform.MessageBox("Please select a dialogue (*.DLG) file", "Select a .DLG file",
                           MsgButtons::Ok, MsgIcon::None);
    return;
  }
  const std::string path = JoinPath(w.File1.path, w.File1.fileName);
  // The file is read once and the working copy made from those bytes before anything changes,
  // so a file that cannot be read or copied leaves the window in its no-file state.
  std::string bytes;
  FileResult r = ed.files.ReadAll(path, bytes);
  if (r) r = ed.files.ReplaceWhole(path + ".bak", bytes);
  if (!r) {
    ReportFileError(ed, r.failure);
    return;
  }

  st.fileLoaded = true;
  ClearLineView(ed);
  w.lstusednum.Clear();
  st.dialoguePath = path;
  w.caption.append(" - ").append(w.File1.fileName);

  Char currentChar = kNoChar;
  CharSource src(std::move(bytes));
  FirstRecordRead(src, currentChar, st, w);
  src.Rewind();
  UsedNumberScan(src, st, w);
  SetFileLoadedControls(w, true);
}

void SetFileLoadedControls(EditorWindow& w, bool loaded) {
  w.Frame1.enabled = loaded;
  w.Command8.enabled = w.Command9.enabled = w.Commandsave.enabled = loaded;
  w.Command2.enabled = w.File1.enabled = w.Dir1.enabled = w.Drive1.enabled = !loaded;
}

void File1_DblClick(Editor& ed) { Command2_Click(ed); }

}  // namespace dlg
