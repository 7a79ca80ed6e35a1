#include "flageditor/flag_editor.h"

#include "flageditor/catalogs.h"

namespace dlg {

namespace {

// A new window: both drop-downs filled in catalog order (conditions first), nothing picked,
// join mode "NONE".
FlagEditorWindow CreateFlagEditor() {
  FlagEditorWindow w;
  w.listboolItems.assign(kConditionCatalog.begin(), kConditionCatalog.end());
  w.listexecItems.assign(kActionCatalog.begin(), kActionCatalog.end());
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
  w.txtedit = conditions ? fields.txtFlags1 : fields.txtflags2;
  // Hide the other panel first, so the two never stand over each other.
  if (conditions) {
    w.frame2Visible = false;
    w.frame1Visible = true;
  } else {
    w.frame1Visible = false;
    w.frame2Visible = true;
  }
  w.visible = true;
  w.lastOpened = target;
  (conditions ? fields.command10Enabled : fields.cmdaddEnabled) = false;
}

void InsertCondition(FlagEditorWindow& window) {
  const std::string& item = window.listboolText;
  if (item.empty()) return;
  // No trimming: an empty box still gets the separator in front of its first item.
  window.txtedit += Separator(window.option1);
  window.txtedit += item;
}

void InsertAction(FlagEditorWindow& window) {
  const std::string& item = window.listexecText;
  if (item.empty()) return;
  if (window.txtedit.empty() || window.txtedit == " ") {
    window.txtedit = item;
  } else {
    window.txtedit += "; ";
    window.txtedit += item;
  }
}

void AcceptFlags(FlagEditorWindow& window, FlagFields fields) {
  // After a re-targeting both buttons are disabled, but the edit box holds the text of the field
  // opened last; writing it into the other field too would overwrite that field with text that
  // was never its own. So only the field opened last takes it, and both buttons come back.
  const bool toConditions = !fields.command10Enabled &&
                            (fields.cmdaddEnabled || window.lastOpened == FlagTarget::Conditions);
  const bool toActions = !fields.cmdaddEnabled &&
                         (fields.command10Enabled || window.lastOpened == FlagTarget::Actions);
  if (toConditions) fields.txtFlags1 = window.txtedit;
  if (toActions) fields.txtflags2 = window.txtedit;
  fields.command10Enabled = true;
  fields.cmdaddEnabled = true;
  window.visible = false;
}

void CancelFlags(FlagEditorWindow& window, FlagFields fields) {
  fields.command10Enabled = true;
  fields.cmdaddEnabled = true;
  window.visible = false;
}

void CloseFlagEditor(std::optional<FlagEditorWindow>& window, FlagFields fields) {
  fields.command10Enabled = true;
  fields.cmdaddEnabled = true;
  window.reset();
}

}  // namespace dlg
