// The editor window's buttons that open other windows: the About box behind the title banner,
// and the two "Add Flags" buttons that open the Flag Editor on their field.

#include "commands/editor.h"

namespace dlg {

void Picture1_Click(Editor& ed) {
  // One line: each segment framed by ".:" and ":.", the contact set apart by a second blank.
  ed.platform.MessageBox(
      ".:Made for the Ashgloam modding circle - https://www.example.org/ashgloam:. "
      ".:Version 0.81:. "
      ".:Written in C++ with Qt 6:.  "
      ".:Contact: dlg-editor@example.org:.",
      "About the Ashgloam Dialogue Editor", MsgButtons::Ok, MsgIcon::Information);
}

void Command10_Click(Editor& ed) {
  OpenFlagEditor(ed.flagEditor, FlagTarget::Conditions, ed.Flags());
}

void cmdadd_Click(Editor& ed) { OpenFlagEditor(ed.flagEditor, FlagTarget::Actions, ed.Flags()); }

}  // namespace dlg
