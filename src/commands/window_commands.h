#pragma once
// The editor window's buttons that open other windows: the About box behind the title banner,
// and the two "Add Flags" buttons that open the Flag Editor on their field.

#include "commands/editor.h"

namespace dlg {

void Picture1_Click(Editor& ed);   // the About box
void Command10_Click(Editor& ed);  // "Add Flags" for txtFlags1
void cmdadd_Click(Editor& ed);     // "Add Flags" for txtflags2

}  // namespace dlg
