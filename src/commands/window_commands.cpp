// The editor window's buttons that open other windows: the About box behind the title banner,
// and the two "Add Flags" buttons that open the Flag Editor on their field.

#include "commands/editor.h"

namespace dlg {

void ShowAbout(Editor& ed) {
  // One line: each segment framed by ".:" and ":.", the contact set apart by a second blank.
  ed.platform.MessageBox(
      ".:Made for the Ashgloam modding circle - https://www.example.org/ashgloam:. "
      ".:Version " DLG_VERSION
      ":. "
      ".:Written in C++ with Qt 6:.  "
      ".:Contact: dlg-editor@example.org:.",
      "About the Ashgloam Dialogue Editor", MsgButtons::Ok, MsgIcon::Information);
}

void AddConditionFlags(Editor& ed) {
  OpenFlagEditor(ed.flagEditor, FlagTarget::Conditions, ed.Flags());
}

void AddExecutionFlags(Editor& ed) {
  OpenFlagEditor(ed.flagEditor, FlagTarget::Actions, ed.Flags());
}

}  // namespace dlg
