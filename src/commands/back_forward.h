#pragma once
// Back and Forward through the lines gone to: by "Go to:", "Go to 1", Respond, "Jump", "Edit
// Response", the used-number list and a line picked in the Conversation window, like a
// browser's history. They go as "Go to:" goes (the line shown is written first, a new line
// saved or dropped as the user answers), and add no visit of their own.

#include "commands/editor.h"

namespace dlg {

bool CanGoBack(const Editor& ed);
bool CanGoForward(const Editor& ed);
void GoBack(Editor& ed);
void GoForward(Editor& ed);

}  // namespace dlg
