#include "flageditor/flag_editor.h"

#include "flageditor/catalogs.h"

namespace dlg {

namespace {

// A new window: both drop-downs filled in catalog order (conditions first), nothing picked,
// join mode "NONE".
FlagEditorWindow CreateFlagEditor() {
  FlagEditorWindow w;
  w.conditionCatalog.assign(kConditionCatalog.begin(), kConditionCatalog.end());
  w.actionCatalog.assign(kActionCatalog.begin(), kActionCatalog.end());
  return w;
}

const char* Separator(JoinMode mode) {
  switch (mode) {
    case JoinMode::And:
      return " and ";
    case JoinMode::Or:
      return " or ";
    case JoinMode::None:
      break;
  }
  return " ";
}

}  // namespace

void OpenFlagEditor(std::optional<FlagEditorWindow>& window, FlagTarget target, FlagFields fields) {
  if (!window) window = CreateFlagEditor();
  FlagEditorWindow& w = *window;
  const bool conditions = target == FlagTarget::Conditions;
  w.text = conditions ? fields.conditionFlags : fields.executionFlags;
  // Hide the other panel first, so the two never stand over each other.
  if (conditions) {
    w.actionPanelVisible = false;
    w.conditionPanelVisible = true;
  } else {
    w.conditionPanelVisible = false;
    w.actionPanelVisible = true;
  }
  w.visible = true;
  w.lastOpened = target;
  (conditions ? fields.addConditionsEnabled : fields.addActionsEnabled) = false;
}

void InsertCondition(FlagEditorWindow& window) {
  const std::string& item = window.conditionChoice;
  if (item.empty()) return;
  // "and" or "or" in front of the first item would leave the game's script a bare joiner, so a
  // box holding nothing but blanks takes the item alone in those modes. "NONE" keeps its blank.
  const bool blank = window.text.find_first_not_of(' ') == std::string::npos;
  if (blank && window.joinMode != JoinMode::None) {
    window.text = item;
    return;
  }
  window.text += Separator(window.joinMode);
  window.text += item;
}

void InsertAction(FlagEditorWindow& window) {
  const std::string& item = window.actionChoice;
  if (item.empty()) return;
  if (window.text.empty() || window.text == " ") {
    window.text = item;
  } else {
    window.text += "; ";
    window.text += item;
  }
}

void AcceptFlags(FlagEditorWindow& window, FlagFields fields) {
  // After a re-targeting both buttons are disabled, but the edit box holds the text of the field
  // opened last; writing it into the other field too would overwrite that field with text that
  // was never its own. So only the field opened last takes it, and both buttons come back.
  const bool toConditions =
      !fields.addConditionsEnabled &&
      (fields.addActionsEnabled || window.lastOpened == FlagTarget::Conditions);
  const bool toActions = !fields.addActionsEnabled &&
                         (fields.addConditionsEnabled || window.lastOpened == FlagTarget::Actions);
  if (toConditions) fields.conditionFlags = window.text;
  if (toActions) fields.executionFlags = window.text;
  fields.addConditionsEnabled = true;
  fields.addActionsEnabled = true;
  window.visible = false;
}

void CancelFlags(FlagEditorWindow& window, FlagFields fields) {
  fields.addConditionsEnabled = true;
  fields.addActionsEnabled = true;
  window.visible = false;
}

void CloseFlagEditor(std::optional<FlagEditorWindow>& window, FlagFields fields) {
  fields.addConditionsEnabled = true;
  fields.addActionsEnabled = true;
  window.reset();
}

}  // namespace dlg
