// Finding a record by its line number in the working copy and making it the current line, and
// the commands that move to a line by number: "Go to:", the used-number list, Respond and
// "Jump".

#include <sys/stat.h>

#include <string>

#include "commands/editor.h"
#include "dialogue/record_reader.h"

namespace dlg {

namespace {

// Where the scan gave up; each message set words these differently.
enum class Miss {
  EndAfterOpener,  // the working copy ended right after its first character
  EndInNumber,     // it ended while a line number was being read
  EndAfterRecord,  // it ended right after a skipped record (Respond only)
  LongerNumber,    // the first number that begins with the target is longer
};

void ShowEmptyTarget(Editor& ed) {
  ShowOk(ed, "Invalid Response", "Please select a line or response");
}

void ShowMiss(Editor& ed, MessageSet set, Miss miss, const std::string& target) {
  const std::string searched = "Searched entire file: the line " + target + " does not exist!";
  const std::string longer = "Line number " + target + " does not exist!";
  switch (set) {
    case MessageSet::Standard:
      ShowOk(ed, "Line does not Exist", miss == Miss::LongerNumber ? longer : searched);
      return;
    case MessageSet::EditResponse:
      if (miss == Miss::LongerNumber) {
        ShowOk(ed, "Line does not exist", longer);
      } else {
        ShowOk(ed, "Cannot find Line", searched);
      }
      return;
    case MessageSet::Respond:
      switch (miss) {
        case Miss::EndAfterOpener:
          ShowOk(ed, "Line does not exist",
                 "Searched entire File, the line " + target + " does not exist!");
          return;
        case Miss::EndInNumber:
          ShowOk(ed, "Line does not exist", searched);
          return;
        case Miss::EndAfterRecord:
          ShowOk(ed, "Line does not exist", "The line " + target + " does not exist!");
          return;
        case Miss::LongerNumber:
          ShowOk(ed, "Line does not exist", longer);
          return;
      }
  }
}

// A blank line where a record should begin would otherwise be read into the next record's
// number, and that record could never be found; pass over it as the response list does.
void SkipBlankLines(CharSource& src, Char& currentChar) {
  while (currentChar == kCR && !src.AtEnd()) {
    currentChar = src.Read();  // the LF
    if (src.AtEnd()) return;
    currentChar = src.Read();  // the opener of the record after the blank line
  }
}

// The scan over the working copy, from its first character to the record numbered `target`.
// Only the line-number field of each record is read; the rest of the line is skipped.
void FindAndShow(Editor& ed, CharSource& src, const std::string& target, MessageSet set) {
  const bool respond = set == MessageSet::Respond;
  Char currentChar = src.Read();  // the first record's opener, not examined
  SkipBlankLines(src, currentChar);
  if (src.AtEnd()) {
    ShowMiss(ed, set, Miss::EndAfterOpener, target);
    return;
  }
  std::string lookupNumber;
  // Compared before each read, so the scan stops at the first number that begins with target.
  while (lookupNumber != target) {
    if (!respond && src.AtEnd()) {
      ShowMiss(ed, set, Miss::EndInNumber, target);
      return;
    }
    currentChar = src.Read();
    if (src.AtEnd()) {
      ShowMiss(ed, set, Miss::EndInNumber, target);
      return;
    }
    if (currentChar == kClose) {
      SkipToNextRecord(src, currentChar);
      SkipBlankLines(src, currentChar);
      currentChar = kNoChar;
      lookupNumber.clear();
    } else {
      AppendChar(lookupNumber, currentChar);
    }
    if (respond && src.AtEnd()) {
      ShowMiss(ed, set, Miss::EndAfterRecord, target);
      return;
    }
  }
  currentChar = src.Read();
  if (currentChar != kClose) {
    ShowMiss(ed, set, Miss::LongerNumber, target);
    return;
  }
  ed.window.txtLineNum.text = lookupNumber;
  ShowLine(src, currentChar, ed.state, ed.window);
  GatherResponses(src, currentChar, ed.state, ed.window);
}

}  // namespace

bool ReadWorkingCopy(Editor& ed, std::string& bytes) {
  struct stat st {};
  FileResult read = ed.files.ReadAll(ed.state.WorkingCopyPath(), bytes, &st);
  if (!read) {
    ReportFileError(ed, read.failure);
    return false;
  }
  CheckReadCopy(ed, st, bytes);
  return true;
}

void ClearLineView(Editor& ed) {
  EditorWindow& w = ed.window;
  for (TextBox* box : {&w.txtnpc, &w.txtLineNum, &w.txtFlags1, &w.txtflags2, &w.txtlinejump,
                       &w.txtIntCheck, &w.txtDialogue, &w.txtfemale}) {
    box->text.clear();
  }
  ed.state.endOfResponses = false;
  for (ListBox* list : {&w.lstline, &w.lstresponses, &w.lstint, &w.lstForM, &w.lsthideline}) {
    list->Clear();
  }
  w.txtflags.text.clear();
  w.lstflags.Clear();
  w.txtaddline.text.clear();
  ed.state.shownLine = {};
}

void LeaveNewLineMode(Editor& ed) {
  ed.state.newLineMode = false;
  ed.window.cmdsaveline.visible = false;
  ed.window.txtnpc.visible = true;
  ed.window.lstnpc.visible = false;
  ed.window.txtlinejump.enabled = true;
}

void GoToLine(Editor& ed, std::string target, const LookupOptions& options) {
  if (target.empty()) {
    ShowEmptyTarget(ed);
    return;
  }
  ClearLineView(ed);
  if (options.leaveNewLineMode) LeaveNewLineMode(ed);
  if (options.showGoToFirst) ed.window.Command7.visible = true;
  if (target == "0") {
    // The end of the conversation is no record; the working copy is not read.
    ed.window.txtDialogue.text = "-END OF DIALOG-";
    RememberShownLine(ed);
    return;
  }
  std::string bytes;
  if (!ReadWorkingCopy(ed, bytes)) return;
  CharSource src(std::move(bytes));
  FindAndShow(ed, src, target, options.messages);
  RememberShownLine(ed);
}

void Command5_Click(Editor& ed) {
  GoToLine(ed, ed.window.txtgoline.text, {true, false, MessageSet::Standard});
}

void lstusednum_DblClick(Editor& ed) {
  GoToLine(ed, ed.window.lstusednum.SelectedText(), {true, false, MessageSet::Standard});
}

void Command1_Click(Editor& ed) {
  const int row = ed.window.lstresponses.selected;
  const std::string target = row == -1 ? std::string() : ed.window.lstline.ItemAt(row);
  GoToLine(ed, target, {false, false, MessageSet::Respond});
}

void lstresponses_DblClick(Editor& ed) { Command1_Click(ed); }

void Command3_Click(Editor& ed) {
  GoToLine(ed, ed.window.txtlinejump.text, {true, true, MessageSet::Standard});
}

}  // namespace dlg
