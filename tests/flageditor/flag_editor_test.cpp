// The Flag Editor as step rows: what the user clicks, then the two flag fields and their "Add
// Flags" buttons, and the Flag Editor's window, edit box, panel, join choice and drop-downs.

#include "flageditor/flag_editor.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "flageditor/catalogs.h"

namespace dlg {
namespace {

using W = FlagEditorWindow;
using F = const FlagFields&;
// A click or an entry of the user; one on the Flag Editor's window needs the window open.
using Step = std::function<void(std::optional<W>&, F)>;
Step On(std::function<void(W&, F)> act) {
  return [act](std::optional<W>& w, F f) {
    ASSERT_TRUE(w) << "the step needs the Flag Editor open";
    act(*w, f);
  };
}
Step Open(FlagTarget t) {
  return [t](std::optional<W>& w, F f) { OpenFlagEditor(w, t, f); };
}
// What is typed in the edit box, or picked in a drop-down.
const auto Edit = [](std::string v) { return On([v](W& w, F) { w.text = v; }); };
const auto Cond = [](std::string v) { return On([v](W& w, F) { w.conditionChoice = v; }); };
const auto Act = [](std::string v) { return On([v](W& w, F) { w.actionChoice = v; }); };
const Step kConditions = Open(FlagTarget::Conditions), kActions = Open(FlagTarget::Actions);
const Step kClose = [](std::optional<W>& w, F f) { CloseFlagEditor(w, f); };
const Step kAnd = On([](W& w, F) { w.joinMode = JoinMode::And; });
const Step kOr = On([](W& w, F) { w.joinMode = JoinMode::Or; });
const Step kInsertCond = On([](W& w, F) { InsertCondition(w); });
const Step kInsertAct = On([](W& w, F) { InsertAction(w); });
const Step kAccept = On(AcceptFlags), kCancel = On(CancelFlags);

struct Row {
  const char* name;
  std::vector<Step> steps;
  // The condition field, the action field, whether each field's "Add Flags" button is enabled,
  // then the window: gone, or shown/hidden|edit box|panel|join|condition drop-down|action
  // drop-down.
  std::string after;
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

class FlagEditor : public testing::TestWithParam<Row> {};

TEST_P(FlagEditor, FieldsAndWindow) {
  std::string flags1 = "old cond", flags2 = "old act";
  bool command10 = true, addExecutionFlags = true;
  const FlagFields fields{flags1, command10, flags2, addExecutionFlags};
  std::optional<FlagEditorWindow> w;
  for (const Step& step : GetParam().steps) {
    step(w, fields);
    ASSERT_FALSE(HasFatalFailure());
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
    {"OpenConditions", {kConditions}, kOld + "off|on|shown|old cond|cond|none||"},
    {"NoneThenOr", {kConditions, Edit(""), Cond("is_daytime()"), kInsertCond, kOr,
                    Cond("npc.area == 3"), kInsertCond},
     kOld + "off|on|shown| is_daytime() or npc.area == 3|cond|or|npc.area == 3|"},
    // No bare joiner in front of the first item, nor after blanks alone.
    {"AndFirstItemAlone", {kConditions, Edit(""), kAnd, Cond("x()"), kInsertCond},
     kOld + "off|on|shown|x()|cond|and|x()|"},
    {"OrAfterBlanksAlone", {kConditions, Edit("  "), kOr, Cond("x()"), kInsertCond},
     kOld + "off|on|shown|x()|cond|or|x()|"},
    {"AndAfterAnItem", {kConditions, Edit("a()"), kAnd, Cond("x()"), kInsertCond},
     kOld + "off|on|shown|a() and x()|cond|and|x()|"},
    {"ConditionAfterABlank", {kConditions, Edit(" "), Cond("x()"), kInsertCond},
     kOld + "off|on|shown|  x()|cond|none|x()|"},
    {"EmptyConditionDoesNothing", {kConditions, kAnd, kInsertCond},
     kOld + "off|on|shown|old cond|cond|and||"},
    {"ActionsJoinedBySemicolons", {kActions, Edit(""), Act("a()"), kInsertAct, Act("b()"),
                                   kInsertAct}, kOld + "on|off|shown|a(); b()|act|none||b()"},
    {"ActionReplacesOneBlank", {kActions, Edit(" "), Act("a()"), kInsertAct},
     kOld + "on|off|shown|a()|act|none||a()"},
    {"ActionKeepsTwoBlanks", {kActions, Edit("  "), Act("a()"), kInsertAct},
     kOld + "on|off|shown|  ; a()|act|none||a()"},
    {"ActionKeepsATrailingBlank", {kActions, Edit("b() "), Act("a()"), kInsertAct},
     kOld + "on|off|shown|b() ; a()|act|none||a()"},
    {"EmptyActionDoesNothing", {kActions, Edit(" "), kInsertAct},
     kOld + "on|off|shown| |act|none||"},
    {"AcceptAnEmptyBox", {kConditions, Edit(""), kAccept}, "|old act|on|on|hidden||cond|none||"},
    // Reopening reloads the field, which "Cancel" left as it was; the choices stay.
    {"CancelThenReopen", {kActions, kOr, Cond("c()"), Edit("x"), kCancel, kActions},
     kOld + "on|off|shown|old act|act|or|c()|"},
    {"RetargetLoadsTheOtherField", {kConditions, kActions}, kOld + "off|off|shown|old act|act|none||"},
    // After re-targeting, "Accept" writes only into the field opened last.
    {"RetargetThenAccept", {kConditions, kActions, Edit("x"), kAccept},
     "old cond|x|on|on|hidden|x|act|none||"},
    {"RetargetThenCancel", {kConditions, kActions, Edit("x"), kCancel},
     kOld + "on|on|hidden|x|act|none||"},
    {"Close", {kConditions, kActions, Edit("x"), kClose}, kOld + "on|on|gone"},
    // Closing destroys the window: the next one starts afresh.
    {"CloseThenReopen", {kConditions, kOr, Cond("c()"), Act("a()"), kClose, kActions},
     kOld + "on|off|shown|old act|act|none||"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Clicks, FlagEditor, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dlg
