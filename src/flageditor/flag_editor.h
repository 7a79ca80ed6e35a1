#pragma once
// The Flag Editor: composes the text of a condition or execution field from two catalogs of
// example expressions, joined by " ", " or ", " and " or "; ". It only joins texts.

#include <optional>
#include <string>
#include <vector>

namespace dlg {

enum class JoinMode { And = 0, Or = 1, None = 2 };  // the index of the Option1 button
enum class FlagTarget { Conditions, Actions };

// The Flag Editor window (Form1) as data. It exists from its first opening until it is closed
// with its own close control; "Accept" and "Cancel" only hide it.
struct FlagEditorWindow {
  bool visible = false;
  std::string txtedit;
  std::vector<std::string> listboolItems;  // condition catalog
  std::string listboolText;
  std::vector<std::string> listexecItems;  // action catalog
  std::string listexecText;
  JoinMode option1 = JoinMode::None;
  bool frame1Visible = true;  // condition panel
  bool frame2Visible = true;  // action panel
  FlagTarget lastOpened = FlagTarget::Conditions;
};

// The editor window's side: the two flag fields and their "Add Flags" buttons' enabled state,
// which marks the field being composed.
struct FlagFields {
  std::string& txtFlags1;
  bool& command10Enabled;
  std::string& txtflags2;
  bool& cmdaddEnabled;
};

// "Add Flags" beside txtFlags1 (Command10) or txtflags2 (cmdadd): creates the window if need be
// (catalogs first), loads the field's text, shows the matching panel, disables the button.
void OpenFlagEditor(std::optional<FlagEditorWindow>& window, FlagTarget target, FlagFields fields);
void InsertCondition(FlagEditorWindow& window);  // condition panel's "Insert" (Command3)
void InsertAction(FlagEditorWindow& window);     // action panel's "Insert" (Command4)
void AcceptFlags(FlagEditorWindow& window, FlagFields fields);  // "Accept" (Command1)
void CancelFlags(FlagEditorWindow& window, FlagFields fields);  // "Cancel" (Command2)
// The window's own close control: never refused; destroys the window.
void CloseFlagEditor(std::optional<FlagEditorWindow>& window, FlagFields fields);

}  // namespace dlg
