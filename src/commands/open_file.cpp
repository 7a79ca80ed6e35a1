// "Load File" and "Go to 1": the first record and the list of used numbers, read from the
// dialogue file or from the working copy.

#include "commands/open_file.h"

#include <string_view>
#include <vector>

#include "commands/add_line.h"
#include "commands/boxes.h"
#include "commands/browse.h"
#include "commands/line_view.h"
#include "commands/load_safety.h"
#include "commands/lookup.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_close.h"
#include "commands/save_safety.h"
#include "dialogue/record_scan.h"
#include "fileio/large_buffer.h"

namespace dlg {

namespace {

// Room for every number at once: a list of a million numbers would otherwise be moved at each
// doubling.
void ReserveUsedNumbers(ItemList& items, std::string_view bytes) {
  items.reserve(items.size() + EstimateLines(bytes));
}

// Appends to the used-number list what `walk(p, end)` finds from the source's position on, with
// room made first; `walk` returns where it stopped. Only the last number listed is kept.
template <class Walk>
void ListUsedNumbers(CharSource& src, ItemList& items, std::string& last, Walk walk) {
  const std::string_view bytes = src.Bytes();
  const std::size_t listedBefore = items.size();
  ReserveUsedNumbers(items, bytes);
  const char* stop = walk(bytes.data() + src.Position(), bytes.data() + bytes.size());
  if (items.size() > listedBefore) last = items.back();
  src.SkipTo(static_cast<std::size_t>(stop - bytes.data()));
}

void RebuildUsedNumbers(CharSource& src, EditorState& st, EditorWindow& w) {
  ListUsedNumbers(src, w.usedNumbers.items, st.lastLineNumber,
                  [&w](const char* p, const char* const end) {
                    return ScanUsedNumbersAcrossBreaks(
                        p, end, [&w](std::string_view n) { w.usedNumbers.Add(n); });
                  });
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
    AppendChar(w.lineNumber.text, currentChar);
  }
}

void ListLoadedNumbers(CharSource& src, ItemList& items, std::string& last) {
  ListUsedNumbers(src, items, last, [&items](const char* p, const char* const end) {
    return ScanUsedNumbers(p, end, [&items](std::string_view n) { items.push_back(n); });
  });
}

}  // namespace

void FirstRecordRead(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  ReadFirstRecord(src, currentChar, st, w);
  st.shownLine = RecordFromBoxes(w);
}

void UsedNumberScan(CharSource& src, EditorState& st, EditorWindow& w) {
  ListLoadedNumbers(src, w.usedNumbers.items, st.lastLineNumber);
}

void ListUsedNumbersAgain(Editor& ed) {
  ed.window.usedNumbers.Clear();
  ed.state.lastLineNumber.clear();
  CharSource src(std::string_view{ed.buffers.read});
  UsedNumberScan(src, ed.state, ed.window);
}

void ShowLineAfterWrite(Editor& ed, const std::string& number) {
  if (!number.empty()) {
    GoToLine(ed, number, {.leaveNewLineMode = true, .written = true});
    return;
  }
  ClearLineView(ed);
  CharSource src(std::string_view{ed.buffers.read});
  Char currentChar = kNoChar;
  FirstRecordRead(src, currentChar, ed.state, ed.window);
}

void LoadFile(Editor& ed) {
  EditorWindow& w = ed.window;
  EditorState& st = ed.state;
  if (w.fileList.fileName.empty()) {
    ShowSelectFile(ed);
    return;
  }
  const std::string path = JoinPath(w.fileList.path, w.fileList.fileName);
  // The file is read once and the working copy made from those bytes (or a working copy left
  // behind kept) before anything changes, so a refusal leaves the window in its no-file state.
  // They are read into the editor's own buffer, which the commands after it reuse.
  ed.buffers.cache.Forget();
  std::string& bytes = ed.buffers.read;
  // The numbers are listed while the working copy goes to disk, into a list of their own until
  // the file is sure to load.
  ItemList numbers;
  std::string lastNumber = st.lastLineNumber;
  bool listed = false;
  auto listNumbers = [&] {
    CharSource all(std::string_view{bytes});
    ListLoadedNumbers(all, numbers, lastNumber);
    listed = true;
  };
  if (!TakeDialogue(ed, path, bytes, listNumbers)) return;
  if (!listed) listNumbers();

  st.fileLoaded = true;
  ClearLineView(ed);
  st.dialoguePath = path;
  w.caption.append(" - ").append(w.fileList.fileName);
  ShowUnsavedMark(ed);  // a working copy kept from before

  Char currentChar = kNoChar;
  CharSource src(std::string_view{bytes});
  FirstRecordRead(src, currentChar, st, w);
  w.usedNumbers.Clear();
  std::swap(w.usedNumbers.items, numbers);
  st.lastLineNumber = std::move(lastNumber);
  SetFileLoadedControls(w, true);
  w.focus = &EditorWindow::maleText;
  ed.ForgetFileHistory();
  if (!w.lineNumber.text.empty()) ed.visited.Visit(w.lineNumber.text);
}

void SetFileLoadedControls(EditorWindow& w, bool loaded) {
  w.dialogueFrame.enabled = loaded;
  w.unloadFile.enabled = w.saveAs.enabled = w.save.enabled = loaded;
  w.loadFile.enabled = w.fileList.enabled = w.folderList.enabled = w.driveList.enabled = !loaded;
}

void GoToFirstLine(Editor& ed) {
  EditorWindow& w = ed.window;
  if (w.fileList.fileName.empty()) {
    ShowSelectFile(ed);
    return;
  }
  if (ed.state.fileLoaded && (!WriteShownLine(ed) || !MayLeaveNewLine(ed))) return;
  w.dialogueFrame.enabled = true;
  ClearLineView(ed);
  w.usedNumbers.Clear();

  if (!ReadWorkingCopy(ed, true)) return;
  CharSource src(std::string_view{ed.buffers.read});
  Char currentChar = kNoChar;
  FirstRecordRead(src, currentChar, ed.state, w);

  if (!w.lineNumber.text.empty()) ed.visited.Visit(w.lineNumber.text);

  src.Rewind();
  RebuildUsedNumbers(src, ed.state, w);
  SetFileLoadedControls(w, true);
}

}  // namespace dlg
