// Finding a record by its line number in the working copy and making it the current line, and
// the commands that move to a line by number: "Go to:", the used-number list, Respond and
// "Jump", each a visit that Back returns to.

#include "commands/lookup.h"

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <utility>

#include "commands/add_line.h"
#include "commands/boxes.h"
#include "commands/line_view.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_safety.h"
#include "dialogue/find_record.h"

namespace dlg {

namespace {

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
        case Miss::None:
          return;
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

bool FindAndShow(Editor& ed, CharSource& src, const std::string& target, MessageSet set) {
  const FindOutcome found = FindRecord(src.Bytes(), target, set == MessageSet::Respond);
  src.SkipTo(found.position);
  if (found.miss != Miss::None) {
    ShowMiss(ed, set, found.miss, target);
    return false;
  }
  ed.window.lineNumber.text = target;
  Char currentChar = kClose;
  ShowLine(src, currentChar, ed.state, ed.window);
  GatherResponses(src, currentChar, ed.state, ed.window);
  return true;
}

}  // namespace

// With `mayReuse`, the status taken through the open descriptor tells whether the bytes in the
// buffer are still those of the file.
bool ReadWorkingCopy(Editor& ed, bool mayReuse) {
  const std::string path = ed.state.WorkingCopyPath();
  ReadCache& cache = ed.buffers.cache;
  struct stat st {};
  bool reused = false;
  const FileResult r = ed.files.ReadAll(path, ed.buffers.read, &st, [&](const struct stat& now) {
    reused = mayReuse && cache.Holds(path, now);
    if (!reused) cache.Forget();
    return reused;
  });
  if (!r) {
    cache.Forget();
    ReportFileError(ed, r.failure);
    return false;
  }
  CheckReadCopy(ed, st, ed.buffers.read);
  if (mayReuse && !reused) cache.Note(path, st);
  return true;
}

void ClearLineView(Editor& ed) {
  EditorWindow& w = ed.window;
  for (TextBox* box : {&w.lineKind, &w.lineNumber, &w.conditionFlags, &w.executionFlags,
                       &w.jumpLine, &w.intCheck, &w.maleText, &w.femaleText}) {
    box->text.clear();
  }
  ed.state.endOfResponses = false;
  for (ListBox* list :
       {&w.replyTargets, &w.replies, &w.replyIntChecks, &w.replyForms, &w.replyNumbers}) {
    list->Clear();
  }
  w.replyFlags.text.clear();
  w.replyFlagTexts.Clear();
  w.newLineNumber.text.clear();
  ed.state.shownLine = {};
  ed.visited.Leave();
}

void LeaveNewLineMode(Editor& ed) {
  ed.state.newLineMode = false;
  ed.window.saveNewLine.visible = false;
  ed.window.lineKind.visible = true;
  ed.window.lineKindChoice.visible = false;
  ed.window.jumpLine.enabled = true;
  // Hidden only while the new line is typed, whichever way the user leaves it.
  ed.window.goToFirst.visible = true;
}

bool GoToLine(Editor& ed, std::string target, const LookupOptions& options) {
  // What the boxes show (flags accepted from the Flag Editor, say) is written before it goes.
  if (!options.written && !WriteShownLine(ed)) return false;
  if (target.empty()) {
    ShowEmptyTarget(ed);
    return false;
  }
  if (options.leaveNewLineMode && !MayLeaveNewLine(ed)) return false;
  ClearLineView(ed);
  if (options.leaveNewLineMode) LeaveNewLineMode(ed);
  if (options.showGoToFirst) ed.window.goToFirst.visible = true;
  if (target == "0") {
    // The end of the conversation is no record; the working copy is not read.
    ed.window.maleText.text = kEndOfDialogue;
    RememberShownLine(ed);
    return true;
  }
  if (!options.written && !ReadWorkingCopy(ed, true)) return false;
  CharSource src(std::string_view{ed.buffers.read});
  const bool shown = FindAndShow(ed, src, target, options.messages);
  RememberShownLine(ed);
  return shown;
}

// Back and Forward go to lines without a visit of their own.
void GoToAndVisit(Editor& ed, std::string target, const LookupOptions& options) {
  std::string number = target;
  if (GoToLine(ed, std::move(target), options)) ed.visited.Visit(number);
}

void GoToTypedLine(Editor& ed) { GoToPickedLine(ed, ed.window.goToNumber.text); }

void GoToUsedNumber(Editor& ed) {
  GoToAndVisit(ed, ed.window.usedNumbers.SelectedText(), {.leaveNewLineMode = true});
  // Kept in the new line (its question cancelled): the number clicked is not the line shown.
  if (ed.state.newLineMode) ed.window.usedNumbers.selected = -1;
}

void Respond(Editor& ed) {
  const int row = ed.window.replies.selected;
  const std::string target = row == -1 ? std::string() : ed.window.replyTargets.ItemAt(row);
  GoToAndVisit(ed, target, {.messages = MessageSet::Respond});
}

void GoToPickedLine(Editor& ed, std::string number) {
  GoToAndVisit(ed, std::move(number), {.leaveNewLineMode = true});
}

void FollowJump(Editor& ed) {
  GoToAndVisit(ed, ed.window.jumpLine.text, {.leaveNewLineMode = true, .showGoToFirst = true});
}

}  // namespace dlg
