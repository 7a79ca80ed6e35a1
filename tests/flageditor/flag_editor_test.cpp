// The Flag Editor as step rows: what the user clicks, then the two flag fields and their "Add
// Flags" buttons, and the Flag Editor's window, edit box, panel, join choice and drop-downs.

#include "flageditor/flag_editor.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "flageditor/catalogs.h"

namespace dlg {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> steps;
  // The condition field, the action field, whether each field's "Add Flags" button is enabled,
  // then the window: gone, or shown/hidden|edit box|panel|join|condition drop-down|action
  // drop-down.
  std::string after;
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

// What a step does to an open window; "verb=" steps take the text after "=".
using W = FlagEditorWindow;
using Text = const std::string&;
using Fields = const FlagFields&;
const std::map<std::string, void (*)(W&, Text, Fields)> kWindowSteps = {
    {"edit=", [](W& w, Text v, Fields) { w.text = v; }},
    {"cond=", [](W& w, Text v, Fields) { w.conditionChoice = v; }},
    {"act=", [](W& w, Text v, Fields) { w.actionChoice = v; }},
    {"and", [](W& w, Text, Fields) { w.joinMode = JoinMode::And; }},
    {"or", [](W& w, Text, Fields) { w.joinMode = JoinMode::Or; }},
    {"insert cond", [](W& w, Text, Fields) { InsertCondition(w); }},
    {"insert act", [](W& w, Text, Fields) { InsertAction(w); }},
    {"accept", [](W& w, Text, Fields f) { AcceptFlags(w, f); }},
    {"cancel", [](W& w, Text, Fields f) { CancelFlags(w, f); }},
};

class FlagEditor : public testing::TestWithParam<Row> {};

TEST_P(FlagEditor, FieldsAndWindow) {
  std::string flags1 = "old cond", flags2 = "old act";
  bool command10 = true, addExecutionFlags = true;
  const FlagFields fields{flags1, command10, flags2, addExecutionFlags};
  std::optional<FlagEditorWindow> w;
  for (const std::string& step : GetParam().steps) {
    const std::size_t eq = step.find('=');
    const std::string verb = eq == std::string::npos ? step : step.substr(0, eq + 1);
    if (verb == "conditions" || verb == "actions") {
      OpenFlagEditor(w, verb == "conditions" ? FlagTarget::Conditions : FlagTarget::Actions,
                     fields);
    } else if (verb == "close") {
      CloseFlagEditor(w, fields);
    } else {
      // A misspelt step would otherwise pass as doing nothing.
      const auto found = kWindowSteps.find(verb);
      ASSERT_NE(found, kWindowSteps.end()) << "unknown step \"" << step << "\"";
      ASSERT_TRUE(w) << "\"" << step << "\" needs the Flag Editor open";
      found->second(*w, eq == std::string::npos ? "" : step.substr(eq + 1), fields);
    }
  }
  std::string after = flags1 + "|" + flags2 + "|" + (command10 ? "on" : "off") + "|" +
                      (addExecutionFlags ? "on" : "off") + "|";
  if (!w) {
    after += "gone";
  } else {
    const char* joins[] = {"and", "or", "none"};
    after += std::string(w->visible ? "shown" : "hidden") + "|" + w->text + "|" +
             (w->conditionPanelVisible ? "cond" : "") + (w->actionPanelVisible ? "act" : "") + "|" +
             joins[static_cast<int>(w->joinMode)] + "|" + w->conditionChoice + "|" +
             w->actionChoice;
    // Filled once per window: never a second copy of the entries.
    EXPECT_EQ(w->conditionCatalog.size(), kConditionCatalog.size());
    EXPECT_EQ(w->actionCatalog.size(), kActionCatalog.size());
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
    // No bare joiner in front of the first item, nor after blanks alone.
    {"AndFirstItemAlone", {"conditions", "edit=", "and", "cond=x()", "insert cond"},
     kOld + "off|on|shown|x()|cond|and|x()|"},
    {"OrAfterBlanksAlone", {"conditions", "edit=  ", "or", "cond=x()", "insert cond"},
     kOld + "off|on|shown|x()|cond|or|x()|"},
    {"AndAfterAnItem", {"conditions", "edit=a()", "and", "cond=x()", "insert cond"},
     kOld + "off|on|shown|a() and x()|cond|and|x()|"},
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
