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

namespace {

void OpenOn(Editor& ed, FlagTarget target) {
  OpenFlagEditor(ed.flagEditor, target, ed.Flags());
  // A new line keeps its number once saved, and no other line can have it.
  ed.flagsOpenedOn = ed.window.lineNumber.text;
}

}  // namespace

void AddConditionFlags(Editor& ed) { OpenOn(ed, FlagTarget::Conditions); }

void AddExecutionFlags(Editor& ed) { OpenOn(ed, FlagTarget::Actions); }

void AcceptFlagsOnLine(Editor& ed) {
  if (!ed.flagEditor) return;
  // The window composes a field, not a line's field: Accept after a move to another line would
  // put the text composed for one line over the flags of the next without a word.
  const std::string& shown = ed.window.lineNumber.text;
  const std::string& opened = ed.flagsOpenedOn;
  if (!shown.empty() && shown != opened) {
    const std::string where = opened.empty() ? "with no line shown" : "on line " + opened;
    if (ed.platform.MessageBox("The Flag Editor was opened " + where + ". Put its text into line " +
                                   shown + ", which is shown now?",
                               "Flag Editor", MsgButtons::YesNo,
                               MsgIcon::Exclamation) != MsgAnswer::Yes)
      return;
  }
  AcceptFlags(*ed.flagEditor, ed.Flags());
}

}  // namespace dlg
