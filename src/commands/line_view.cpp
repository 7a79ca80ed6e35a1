// The line view: the current record in the six field boxes and, for an NPC line, the responses
// that follow it. The file runs out in the middle of this often (the responses of the last NPC
// line are the last records), so every read here stops quietly at the end of the file.

#include "commands/line_view.h"

#include <cstring>
#include <string>
#include <string_view>

#include "dialogue/record.h"
#include "dialogue/record_reader.h"

namespace dlg {

namespace {

constexpr std::string_view kConditionalLabel = "CONDITIONAL FLAGS::  ";
constexpr std::string_view kExecutionLabel = "EXECUTION FLAGS::  ";

// The fields of one response as views into the bytes read: an NPC line with a hundred thousand
// responses is shown by copying each text once, into the list that keeps it.
struct ResponseFields {
  std::string_view lineNumber, maleText, femaleText, intCheck, conditionFlags, jumpLine;
};

void AddResponseEntry(EditorWindow& w, const ResponseFields& r, std::string_view text,
                      const char* marker) {
  w.replies.Add(text);
  w.replyNumbers.Add(r.lineNumber);
  w.replyIntChecks.Add(r.intCheck);
  w.replyForms.Add(marker);
  w.replyTargets.Add(r.jumpLine);
}

// Reads one response record whose line-number opener is in `currentChar`. Returns false when
// the reading has to stop: the next NPC line was met, or the file ended.
bool ReadResponse(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  ResponseFields r;
  if (currentChar != kClose) {
    currentChar = src.ReadThrough('}', r.lineNumber);
    if (currentChar == kNoChar) return false;
  }
  for (std::string_view* f : {&r.maleText, &r.femaleText, &r.intCheck, &r.conditionFlags}) {
    if (!ScanField(src, currentChar, *f)) return false;
  }
  if (!ScanField(src, currentChar, r.jumpLine)) return false;
  if (IsNpcJump(r.jumpLine)) {
    st.endOfResponses = true;
    return false;
  }
  const bool hasFemale = !r.femaleText.empty();
  AddResponseEntry(w, r, r.maleText, "Male");
  if (hasFemale) AddResponseEntry(w, r, r.femaleText, "female");

  // Even a field cut short by the end of the file gets its flags row, so the six lists stay
  // parallel.
  std::string_view executionFlags;
  const bool complete = ScanField(src, currentChar, executionFlags);
  for (int row = hasFemale ? 2 : 1; row > 0; --row) {
    ItemList& rows = w.replyFlagTexts.items;
    rows.push_back(kConditionalLabel);
    for (std::string_view piece :
         {r.conditionFlags, std::string_view("\r\n"), kExecutionLabel, executionFlags}) {
      rows.AppendToBack(piece);
    }
  }
  return complete;
}

}  // namespace

void ShowLine(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  st.endOfResponses = false;
  const std::size_t from = src.Position();
  bool reading = true;
  while (reading && currentChar != kCR) {
    // Fields 2 to 7: the line number is read already.
    for (std::size_t i = 1; i < kRecordBoxes.size(); ++i) {
      if (!ScanField(src, currentChar, (w.*kRecordBoxes[i]).text)) {
        reading = false;
        break;
      }
    }
    if (!reading) break;
    // Normally the CR; anything else opens six more fields appended to these.
    currentChar = src.Read();
    if (currentChar == kNoChar) break;
  }
  // A line end met before the CR that ends the record.
  std::string_view read = src.Bytes().substr(from, src.Position() - from);
  if (currentChar == kCR) read.remove_suffix(1);
  st.shownLineRunsOn = std::memchr(read.data(), '\n', read.size()) != nullptr ||
                       std::memchr(read.data(), '\r', read.size()) != nullptr;
  w.lineKind.text = IsNpcJump(w.jumpLine.text) ? "NPC" : "PC";
}

void GatherResponses(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w) {
  if (!IsNpcJump(w.jumpLine.text)) return;
  bool atLineEnd = true;  // currentChar is the CR that ends a line
  while (!st.endOfResponses) {
    if (atLineEnd) {
      if (src.Read() == kNoChar) return;  // the LF, not compared
      currentChar = src.Read();
      if (currentChar == kNoChar) return;
      if (currentChar == kCR) continue;  // a blank line
    }
    if (!ReadResponse(src, currentChar, st, w)) return;
    currentChar = src.Read();
    if (currentChar == kNoChar) return;
    // Anything but a CR is taken as the opener of the next record.
    atLineEnd = currentChar == kCR;
  }
}

void PickReply(Editor& ed) {
  EditorWindow& w = ed.window;
  w.replyFlags.text = w.replyFlagTexts.ItemAt(w.replies.selected);
}

void PickLineKind(Editor& ed) {
  ed.window.jumpLine.enabled = ed.window.lineKindChoice.text != "NPC";
}

}  // namespace dlg
