// The Flag Editor as step rows: what the user clicks, then the two flag fields and their "Add
// Flags" buttons, and the Flag Editor's window, edit box, panel, join choice and drop-downs.

#include "flageditor/flag_editor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "flageditor/catalogs.h"

namespace dlg {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> steps;
  // flags1|flags2|Command10 and cmdadd enabled, then the window: gone, or
  // shown/hidden|edit box|panel|join|condition drop-down|action drop-down.
  std::string after;
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

class FlagEditor : public testing::TestWithParam<Row> {};

TEST_P(FlagEditor, FieldsAndWindow) {
  std::string flags1 = "old cond", flags2 = "old act";
  bool command10 = true, cmdadd = true;
  const FlagFields fields{flags1, command10, flags2, cmdadd};
  std::optional<FlagEditorWindow> w;
  for (const std::string& step : GetParam().steps) {
    const std::size_t eq = step.find('=');
    const std::string value = eq == std::string::npos ? "" : step.substr(eq + 1);
    if (step == "conditions") OpenFlagEditor(w, FlagTarget::Conditions, fields);
    if (step == "actions") OpenFlagEditor(w, FlagTarget::Actions, fields);
    if (step.starts_with("edit=")) w->txtedit = value;
    if (step.starts_with("cond=")) w->listboolText = value;
    if (step.starts_with("act=")) w->listexecText = value;
    if (step == "and" || step == "or") w->option1 = step == "and" ? JoinMode::And : JoinMode::Or;
    if (step == "insert cond") InsertCondition(*w);
    if (step == "insert act") InsertAction(*w);
    if (step == "accept") AcceptFlags(*w, fields);
    if (step == "cancel") CancelFlags(*w, fields);
    if (step == "close") CloseFlagEditor(w, fields);
  }
  std::string after = flags1 + "|" + flags2 + "|" + (command10 ? "on" : "off") + "|" +
                      (cmdadd ? "on" : "off") + "|";
  if (!w) {
    after += "gone";
  } else {
    const char* joins[] = {"and", "or", "none"};
    after += std::string(w->visible ? "shown" : "hidden") + "|" + w->txtedit + "|" +
             (w->frame1Visible ? "cond" : "") + (w->frame2Visible ? "act" : "") + "|" +
             joins[static_cast<int>(w->option1)] + "|" + w->listboolText + "|" + w->listexecText;
    // Filled once per window: never a second copy of the entries.
    EXPECT_EQ(w->listboolItems.size(), kConditionCatalog.size());
    EXPECT_EQ(w->listexecItems.size(), kActionCatalog.size());
  }
  EXPECT_EQ(after, GetParam().after);
}

const std::string kOld = "old cond|old act|";
// clang-format off
const Row kRows[] = {
    {"OpenConditions", {"conditions"}, kOld + "off|on|shown|old cond|cond|none||"},
    {"NoneThenOr", {"conditions", "edit=", "cond=is_daytime()", "insert cond", "or",
                    "cond=npc.area == 3", "insert cond"},
     kOld + "off|on|shown| is_daytime() or npc.area == 3|cond|or|npc.area == 3|"},
    // The separator is written even in front of the first item.
    {"AndBeforeTheFirstItem", {"conditions", "edit=", "and", "cond=x()", "insert cond"},
     kOld + "off|on|shown| and x()|cond|and|x()|"},
    {"ConditionAfterABlank", {"conditions", "edit= ", "cond=x()", "insert cond"},
     kOld + "off|on|shown|  x()|cond|none|x()|"},
    {"EmptyConditionDoesNothing", {"conditions", "and", "insert cond"},
     kOld + "off|on|shown|old cond|cond|and||"},
    {"ActionsJoinedBySemicolons", {"actions", "edit=", "act=a()", "insert act", "act=b()",
                                   "insert act"}, kOld + "on|off|shown|a(); b()|act|none||b()"},
    {"ActionReplacesOneBlank", {"actions", "edit= ", "act=a()", "insert act"},
     kOld + "on|off|shown|a()|act|none||a()"},
    {"ActionKeepsTwoBlanks", {"actions", "edit=  ", "act=a()", "insert act"},
     kOld + "on|off|shown|  ; a()|act|none||a()"},
    {"ActionKeepsATrailingBlank", {"actions", "edit=b() ", "act=a()", "insert act"},
     kOld + "on|off|shown|b() ; a()|act|none||a()"},
    {"EmptyActionDoesNothing", {"actions", "edit= ", "insert act"},
     kOld + "on|off|shown| |act|none||"},
    {"AcceptAnEmptyBox", {"conditions", "edit=", "accept"}, "|old act|on|on|hidden||cond|none||"},
    // Reopening reloads the field, which "Cancel" left as it was; the choices stay.
    {"CancelThenReopen", {"actions", "or", "cond=c()", "edit=x", "cancel", "actions"},
     kOld + "on|off|shown|old act|act|or|c()|"},
    {"RetargetLoadsTheOtherField", {"conditions", "actions"}, kOld + "off|off|shown|old act|act|none||"},
    // After re-targeting, "Accept" writes only into the field opened last.
    {"RetargetThenAccept", {"conditions", "actions", "edit=x", "accept"},
     "old cond|x|on|on|hidden|x|act|none||"},
    {"RetargetThenCancel", {"conditions", "actions", "edit=x", "cancel"},
     kOld + "on|on|hidden|x|act|none||"},
    {"Close", {"conditions", "actions", "edit=x", "close"}, kOld + "on|on|gone"},
    // Closing destroys the window: the next one starts afresh.
    {"CloseThenReopen", {"conditions", "or", "cond=c()", "act=a()", "close", "actions"},
     kOld + "on|off|shown|old act|act|none||"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Clicks, FlagEditor, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
