#pragma once
// The editor window's buttons that open other windows: the About box behind the title banner,
// and the two "Add Flags" buttons that open the Flag Editor on their field.

#include "commands/editor.h"

namespace dlg {

void ShowAbout(Editor& ed);          // the About box
void AddConditionFlags(Editor& ed);  // "Add Flags" for conditionFlags
void AddExecutionFlags(Editor& ed);  // "Add Flags" for executionFlags
// The Flag Editor's "Accept". Its text goes into the field of the line shown; when that is no
// longer the line it was opened on, the user is asked first, and No leaves both as they are.
void AcceptFlagsOnLine(Editor& ed);

}  // namespace dlg
