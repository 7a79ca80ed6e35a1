#include "flageditor/flag_editor.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "flageditor/catalogs.h"

namespace dlg {
namespace {

template <std::size_t N>
std::vector<std::string> Entries(const std::array<std::string_view, N>& catalog) {
  return {catalog.begin(), catalog.end()};
}

// The editor window's side of the Flag Editor: the two fields and their "Add Flags" buttons.
struct Fields {
  std::string flags1;
  std::string flags2;
  bool command10 = true;
  bool cmdadd = true;
  FlagFields Bind() { return {flags1, command10, flags2, cmdadd}; }
};

// --- Joining: what the two "Insert" buttons write into the edit box.

enum class Panel { Condition, Action };
struct Insert {
  Panel panel;
  std::string item;  // the drop-down's current text, as picked, edited or typed
  JoinMode mode = JoinMode::None;
};
struct JoinCase {
  const char* name;
  std::string start;  // the edit box when "Insert" is first pressed
  std::vector<Insert> inserts;
  std::string expected;
};

class JoinTest : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinTest, EditBoxHoldsExactBytes) {
  const JoinCase& c = GetParam();
  FlagEditorWindow w;
  w.txtedit = c.start;
  for (const Insert& in : c.inserts) {
    w.option1 = in.mode;
    if (in.panel == Panel::Condition) {
      w.listboolText = in.item;
      InsertCondition(w);
    } else {
      w.listexecText = in.item;
      InsertAction(w);
    }
  }
  EXPECT_EQ(w.txtedit, c.expected);
}

// clang-format off
const JoinCase kJoinCases[] = {
    {"NoneThenOr", "", {{Panel::Condition, "is_daytime()", JoinMode::None},
                        {Panel::Condition, "npc.area == 3", JoinMode::Or}},
     " is_daytime() or npc.area == 3"},
    // The separator is written even in front of the first item.
    {"AndBeforeFirstItem", "", {{Panel::Condition, "is_daytime()", JoinMode::And}},
     " and is_daytime()"},
    {"AndAfterFieldText", "npc.area == 3", {{Panel::Condition, "is_daytime()", JoinMode::And}},
     "npc.area == 3 and is_daytime()"},
    {"ConditionOnBlankIsNotReplaced", " ", {{Panel::Condition, "is_daytime()", JoinMode::None}},
     "  is_daytime()"},
    {"ActionIntoEmptyThenAppend", "", {{Panel::Action, "npc.destroy()"},
                                       {Panel::Action, "pc.barter(npc)"}},
     "npc.destroy(); pc.barter(npc)"},
    {"ActionReplacesOneBlank", " ", {{Panel::Action, "npc.destroy()"}}, "npc.destroy()"},
    {"ActionKeepsTwoBlanks", "  ", {{Panel::Action, "npc.destroy()"}}, "  ; npc.destroy()"},
    {"ActionKeepsTrailingBlank", "pc.barter(npc) ", {{Panel::Action, "npc.destroy()"}},
     "pc.barter(npc) ; npc.destroy()"},
    {"EmptyConditionDoesNothing", "npc.area == 3", {{Panel::Condition, "", JoinMode::And}},
     "npc.area == 3"},
    {"EmptyActionDoesNothing", " ", {{Panel::Action, ""}}, " "},
    // The drop-down's edited text goes in as it stands, not the catalog entry it came from.
    {"EditedConditionEntry", "", {{Panel::Condition, "game.global_flags[12] == 0", JoinMode::Or}},
     " or game.global_flags[12] == 0"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Insert, JoinTest, testing::ValuesIn(kJoinCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Opening, "Accept", "Cancel" and the close control, as the user clicks them.

enum class Do { OpenConditions, OpenActions, SetEdit, Accept, Cancel, Close };
struct Click {
  Do what;
  std::string text = {};
};
enum class Win { Gone, Hidden, Shown };
struct FlowCase {
  const char* name;
  std::vector<Click> clicks;
  // The editor window afterwards; the fields start as "old cond" and "old act".
  std::string flags1;
  std::string flags2;
  bool command10;
  bool cmdadd;
  // The Flag Editor afterwards; its edit box and panel only matter while it exists.
  Win window;
  std::string edit;
  FlagTarget panel;
};

class FlowTest : public testing::TestWithParam<FlowCase> {};

TEST_P(FlowTest, FieldsButtonsAndWindow) {
  const FlowCase& c = GetParam();
  Fields f{"old cond", "old act"};
  std::optional<FlagEditorWindow> w;
  for (const Click& k : c.clicks) {
    switch (k.what) {
      case Do::OpenConditions:
        OpenFlagEditor(w, FlagTarget::Conditions, f.Bind());
        break;
      case Do::OpenActions:
        OpenFlagEditor(w, FlagTarget::Actions, f.Bind());
        break;
      case Do::SetEdit:
        w->txtedit = k.text;
        break;
      case Do::Accept:
        AcceptFlags(*w, f.Bind());
        break;
      case Do::Cancel:
        CancelFlags(*w, f.Bind());
        break;
      case Do::Close:
        CloseFlagEditor(w, f.Bind());
        break;
    }
  }
  EXPECT_EQ(f.flags1, c.flags1);
  EXPECT_EQ(f.flags2, c.flags2);
  EXPECT_EQ(f.command10, c.command10);
  EXPECT_EQ(f.cmdadd, c.cmdadd);
  ASSERT_EQ(w.has_value(), c.window != Win::Gone);
  if (!w) return;
  EXPECT_EQ(w->visible, c.window == Win::Shown);
  EXPECT_EQ(w->txtedit, c.edit);
  EXPECT_EQ(w->frame1Visible, c.panel == FlagTarget::Conditions);
  EXPECT_EQ(w->frame2Visible, c.panel == FlagTarget::Actions);
}

constexpr FlagTarget kCond = FlagTarget::Conditions;
constexpr FlagTarget kAct = FlagTarget::Actions;

// clang-format off
const FlowCase kFlowCases[] = {
    {"OpenConditions", {{Do::OpenConditions}},
     "old cond", "old act", false, true, Win::Shown, "old cond", kCond},
    {"AcceptEmptyEditBoxEmptiesField", {{Do::OpenConditions}, {Do::SetEdit, ""}, {Do::Accept}},
     "", "old act", true, true, Win::Hidden, "", kCond},
    {"AcceptActions", {{Do::OpenActions}, {Do::SetEdit, "old act; pc.barter(npc)"}, {Do::Accept}},
     "old cond", "old act; pc.barter(npc)", true, true, Win::Hidden, "old act; pc.barter(npc)",
     kAct},
    // Reopening reloads the field, which "Cancel" left as it was.
    {"CancelKeepsFieldAndReopenShowsIt", {{Do::OpenActions}, {Do::SetEdit, "x"}, {Do::Cancel},
                                          {Do::OpenActions}},
     "old cond", "old act", true, false, Win::Shown, "old act", kAct},
    {"RetargetLoadsOtherField", {{Do::OpenConditions}, {Do::OpenActions}},
     "old cond", "old act", false, false, Win::Shown, "old act", kAct},
    // After re-targeting, "Accept" writes only into the field opened last.
    {"RetargetAcceptWritesActionsOnly", {{Do::OpenConditions}, {Do::OpenActions},
                                         {Do::SetEdit, "old act; npc.destroy()"}, {Do::Accept}},
     "old cond", "old act; npc.destroy()", true, true, Win::Hidden, "old act; npc.destroy()",
     kAct},
    {"RetargetAcceptWritesConditionsOnly", {{Do::OpenActions}, {Do::OpenConditions},
                                            {Do::SetEdit, "is_daytime()"}, {Do::Accept}},
     "is_daytime()", "old act", true, true, Win::Hidden, "is_daytime()", kCond},
    {"RetargetCancel", {{Do::OpenConditions}, {Do::OpenActions}, {Do::SetEdit, "x"},
                        {Do::Cancel}},
     "old cond", "old act", true, true, Win::Hidden, "x", kAct},
    {"RetargetClose", {{Do::OpenConditions}, {Do::OpenActions}, {Do::SetEdit, "x"},
                       {Do::Close}},
     "old cond", "old act", true, true, Win::Gone, "", kAct},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Clicks, FlowTest, testing::ValuesIn(kFlowCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Lifetime: hiding keeps the window's choices, closing starts afresh.

struct LeaveCase {
  const char* name;
  void (*leave)(std::optional<FlagEditorWindow>&, FlagFields);
  bool keeps;
};

class LifetimeTest : public testing::TestWithParam<LeaveCase> {};

TEST_P(LifetimeTest, ReopenAfterLeaving) {
  const LeaveCase& c = GetParam();
  Fields f;
  std::optional<FlagEditorWindow> w;
  OpenFlagEditor(w, FlagTarget::Conditions, f.Bind());
  ASSERT_EQ(w->option1, JoinMode::None);
  EXPECT_EQ(w->listboolText, "");
  EXPECT_EQ(w->listexecText, "");
  w->option1 = JoinMode::Or;
  w->listboolText = "npc.area == 7";
  w->listexecText = "npc.destroy()";
  c.leave(w, f.Bind());
  OpenFlagEditor(w, FlagTarget::Actions, f.Bind());

  EXPECT_EQ(w->option1, c.keeps ? JoinMode::Or : JoinMode::None);
  EXPECT_EQ(w->listboolText, c.keeps ? "npc.area == 7" : "");
  EXPECT_EQ(w->listexecText, c.keeps ? "npc.destroy()" : "");
  // Filled once per window: never a second copy of the entries.
  EXPECT_EQ(w->listboolItems, Entries(kConditionCatalog));
  EXPECT_EQ(w->listexecItems, Entries(kActionCatalog));
}

const LeaveCase kLeaveCases[] = {
    {"Accept", [](std::optional<FlagEditorWindow>& w, FlagFields f) { AcceptFlags(*w, f); }, true},
    {"Cancel", [](std::optional<FlagEditorWindow>& w, FlagFields f) { CancelFlags(*w, f); }, true},
    {"Close", [](std::optional<FlagEditorWindow>& w, FlagFields f) { CloseFlagEditor(w, f); },
     false},
};

INSTANTIATE_TEST_SUITE_P(Leave, LifetimeTest, testing::ValuesIn(kLeaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The catalogs themselves.

struct EntryCase {
  bool condition;
  std::size_t index;  // 0-based
  std::string_view expected;
};

TEST(Catalogs, EntriesKeepTheirExactBytes) {
  const EntryCase cases[] = {
      {true, 0, "anyone(pc.group_list(), \"has_follower\", XXXX)"},
      {true, 2, "anyone( pc.group_list(), \"item_find\", 3602 )"},
      {true, 9, "game.quests [17].state <= qs_accepted"},  // blank before the bracket
      {true, 10, "game.quests[18].state == qs_botched"},   // none
      {true, 16, "npc.has_met (pc)"},
      {true, 32, "pc.stat_level_get(stat_strength) >= 18"},
      {false, 0, "free_rep( npc, pc )"},
      {false, 57, "LookHedrack(npc,pc,300)"},
      {false, 78, "pc.condition_add_with_args(\"Fallen_Paladin\",0,0)"},
      {false, 104, "talk_Hedrack(npc,pc, 90)"},
      {false, 123, "zuggtmoy_regenerate_and_attack(npc,pc)"},
  };
  for (const EntryCase& c : cases) {
    const std::string_view got =
        c.condition ? kConditionCatalog.at(c.index) : kActionCatalog.at(c.index);
    EXPECT_EQ(got, c.expected) << (c.condition ? "condition " : "action ") << c.index;
  }
}

TEST(Catalogs, NoEntryTwiceNoneEmpty) {
  for (const auto& entries : {Entries(kConditionCatalog), Entries(kActionCatalog)}) {
    std::set<std::string> seen;
    for (const std::string& e : entries) {
      EXPECT_FALSE(e.empty());
      EXPECT_TRUE(seen.insert(e).second) << e;
    }
  }
}

}  // namespace
}  // namespace dlg
