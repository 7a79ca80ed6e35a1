// "Load File" and "Go to 1": the first record and the list of used numbers, read from the
// dialogue file or from the working copy.

#include "commands/browse.h"
#include "commands/editor.h"
#include "commands/rewrite_working_copy.h"
#include "dialogue/record_reader.h"

namespace dlg {

namespace {

// "Go to 1"'s own list of used numbers: unlike the scan of Load File it keeps a CR or LF inside
// a line number as part of the number, and stops only where a record should begin.
void RebuildUsedNumbers(CharSource& src, EditorState& st, EditorWindow& w) {
  std::string scanNumber;
  while (!src.AtEnd()) {
    Char scanChar = src.Read();  // the record's opener
    if (scanChar == kCR || scanChar == kLF) return;
    while (scanChar != kClose) {
      scanChar = src.Read();
      if (scanChar == kNoChar) return;
      if (scanChar == kClose) {
        w.lstusednum.Add(scanNumber);
        st.lastLineNumber = scanNumber;
        scanNumber.clear();
      } else {
        AppendChar(scanNumber, scanChar);
      }
    }
    if (src.SkipThrough('\r') == kNoChar) return;
    src.Read();  // the LF
  }
}

void ReadFirstRecord(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
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

}  // namespace

void FirstRecordRead(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  ReadFirstRecord(src, currentChar, st, w);
  st.shownLine = RecordFromBoxes(w);
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
    ShowSelectFile(ed);
    return;
  }
  const std::string path = JoinPath(w.File1.path, w.File1.fileName);
  // The file is read once and the working copy made from those bytes (or a working copy left
  // behind kept) before anything changes, so a refusal leaves the window in its no-file state.
  std::string bytes;
  if (!TakeDialogue(ed, path, bytes)) return;

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

void Command7_Click(Editor& ed) {
  EditorWindow& w = ed.window;
  if (w.File1.fileName.empty()) {
    ShowSelectFile(ed);
    return;
  }
  w.Frame1.enabled = true;
  ClearLineView(ed);
  w.lstusednum.Clear();

  std::string bytes;
  if (!ReadWorkingCopy(ed, bytes)) return;
  CharSource src(std::move(bytes));
  Char currentChar = kNoChar;
  FirstRecordRead(src, currentChar, ed.state, w);

  src.Rewind();
  RebuildUsedNumbers(src, ed.state, w);
  SetFileLoadedControls(w, true);
}

}  // namespace dlg
