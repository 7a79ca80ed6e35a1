#pragma once
// The Flag Editor: composes the text of a condition or execution field from two catalogs of
// example expressions, joined by " ", " or ", " and " or "; ". It only joins texts.

#include <optional>
#include <string>
#include <vector>

namespace dlg {

enum class JoinMode { And = 0, Or = 1, None = 2 };  // the order of the three join buttons
enum class FlagTarget { Conditions, Actions };

// The Flag Editor window as data. It exists from its first opening until it is closed
// with its own close control; "Accept" and "Cancel" only hide it.
struct FlagEditorWindow {
  bool visible = false;
  std::string text;
  std::vector<std::string> conditionCatalog;  // condition catalog
  std::string conditionChoice;
  std::vector<std::string> actionCatalog;  // action catalog
  std::string actionChoice;
  JoinMode joinMode = JoinMode::None;
  bool conditionPanelVisible = true;  // condition panel
  bool actionPanelVisible = true;     // action panel
  FlagTarget lastOpened = FlagTarget::Conditions;
};

// The editor window's side: the two flag fields and their "Add Flags" buttons' enabled state,
// which marks the field being composed.
struct FlagFields {
  std::string& conditionFlags;
  bool& addConditionsEnabled;
  std::string& executionFlags;
  bool& addActionsEnabled;
};

// "Add Flags" beside conditionFlags (addConditionFlags) or executionFlags (addExecutionFlags):
// creates the window if need be (catalogs first), loads the field's text, shows the matching panel,
// disables the button.
void OpenFlagEditor(std::optional<FlagEditorWindow>& window, FlagTarget target, FlagFields fields);
void InsertCondition(FlagEditorWindow& window);  // condition panel's "Insert" (jump)
void InsertAction(FlagEditorWindow& window);     // action panel's "Insert" (editResponse)
void AcceptFlags(FlagEditorWindow& window, FlagFields fields);  // "Accept" (respond)
void CancelFlags(FlagEditorWindow& window, FlagFields fields);  // "Cancel" (loadFile)
// The window's own close control: never refused; destroys the window.
void CloseFlagEditor(std::optional<FlagEditorWindow>& window, FlagFields fields);

}  // namespace dlg
