// Back and Forward through the lines gone to.

#include "commands/back_forward.h"

#include <string>

#include "commands/add_line.h"
#include "commands/lookup.h"
#include "commands/save_safety.h"

namespace dlg {
namespace {

// The line the view shows as a visit names it: the end of the conversation is "0".
std::string ShownPlace(const Editor& ed) {
  const EditorWindow& w = ed.window;
  if (w.lineNumber.text.empty() && w.maleText.text == kEndOfDialogue) return "0";
  return w.lineNumber.text;
}

// The visit moves only once the line shown is written; a line since deleted is still a place in
// the history, and the lookup says that it does not exist.
void GoToVisited(Editor& ed, bool back) {
  if (!WriteShownLine(ed) || !MayLeaveNewLine(ed)) return;
  const std::string number = back ? ed.visited.Back(ShownPlace(ed)) : ed.visited.Forward();
  GoToLine(ed, number, {.leaveNewLineMode = true});
  ed.visited.Arrived();
}

bool MayGo(const Editor& ed) { return ed.state.fileLoaded; }

}  // namespace

bool CanGoBack(const Editor& ed) { return MayGo(ed) && ed.visited.CanBack(ShownPlace(ed)); }
bool CanGoForward(const Editor& ed) { return MayGo(ed) && ed.visited.CanForward(); }

void GoBack(Editor& ed) {
  if (CanGoBack(ed)) GoToVisited(ed, true);
}

void GoForward(Editor& ed) {
  if (CanGoForward(ed)) GoToVisited(ed, false);
}

}  // namespace dlg
