// Plays over real bytes: the transcript as dlgplay prints it, for each rule of the player's sex,
// intelligence, the conditions and the stops that say why.

#include "play/play.h"

#include <gtest/gtest.h>

namespace dlg::play {
namespace {

const std::string kTavern =
    "{10}{I keep this tavern.}{I keep this tavern, miss.}{}{}{}{}\r\n"
    "{11}{Tell me more.}{}{}{}{20}{npc.set_met(pc)}\r\n"
    "{12}{Who set the ward?}{}{8}{}{30}{}\r\n"
    "{13}{Me want ale.}{}{-4}{}{20}{}\r\n"
    "{14}{The baron owes you.}{The baron owes you, I hear.}{}{game.story_state == 0}{40}{}\r\n"
    "{15}{Odd.}{}{x8}{}{0}{}\r\n"
    "{20}{That is all.}{}{}{}{}{}\r\n"
    "{21}{Bye.}{}{}{}{0}{}\r\n"
    "{21}{Another round.}{}{}{}{10}{}\r\n"
    "{22}{Ask the bard.}{}{}{}{50}{}\r\n"
    "{23}{Ask again.}{}{}{}{11}{}\r\n"
    "{30}{My grandmother.}{}{}{}{}{}\r\n"
    "{31}{Clever.}{}{12}{}{0}{}\r\n"
    "{40}{Hush.}{}{}{}{}{}\r\n";

struct PlayCase {
  const char* name;
  Setup setup;
  std::vector<Choice> choices;
  std::string transcript;
  std::size_t taken;
};
void PrintTo(const PlayCase& c, std::ostream* os) { *os << c.name; }

Setup Female(int intelligence = 10) { return {Sex::Female, intelligence, {}, ""}; }
Setup From(std::string line) { return {Sex::Male, 10, {}, std::move(line)}; }
Setup Conditions(std::set<std::string, std::less<>> off) { return {Sex::Male, 10, off, ""}; }

// clang-format off
const PlayCase kCases[] = {
    // Replies run out at the first line: what is offered there, -4 held back at intelligence 10.
    {"WaitsAtFirstLine", {}, {},
     "NPC 10: I keep this tavern.\n  11: Tell me more.\n  12: Who set the ward? [Int 8]\n"
     "  14: The baron owes you. [if game.story_state == 0]\n  15: Odd. [Int ?]\n", 0},
    {"FemaleDimWitted", Female(3), {},
     "NPC 10: I keep this tavern, miss.\n  11: Tell me more.\n  13: Me want ale. [Int -4]\n"
     "  14: The baron owes you, I hear. [if game.story_state == 0]\n  15: Odd. [Int ?]\n", 0},
    {"NotOfferedSaysWhy", Female(7), {{"12"}},
     "NPC 10: I keep this tavern, miss.\nnot offered: 12 (needs intelligence 8 or more)\n", 0},
    {"ConditionFalse", Conditions({"game.story_state == 0"}), {{"14"}},
     "NPC 10: I keep this tavern.\nnot offered: 14 (condition false: game.story_state == 0)\n", 0},
    // Forced from the held-back list: taken, and marked so.
    {"ForcedThenNoReply", Female(7), {{"12", true}},
     "NPC 10: I keep this tavern, miss.\nPC 12: Who set the ward? [forced]\n"
     "NPC 30: My grandmother.\nNo reply is offered to this player here.\n"
     "  31: Clever. [Int 12] (needs intelligence 12 or more)\n", 1},
    {"MissingTarget", {}, {{"11"}, {"22"}},
     "NPC 10: I keep this tavern.\nPC 11: Tell me more.\n  runs: npc.set_met(pc)\n"
     "NPC 20: That is all.\nPC 22: Ask the bard.\n"
     "Line 50 does not exist: the conversation stops here.\n", 2},
    // Two replies numbered 21: the second is listed and chosen as 21#2.
    {"SharedNumberListed", {}, {{"11"}},
     "NPC 10: I keep this tavern.\nPC 11: Tell me more.\n  runs: npc.set_met(pc)\n"
     "NPC 20: That is all.\n  21: Bye.\n  21#2: Another round.\n  22: Ask the bard.\n"
     "  23: Ask again.\n", 1},
    {"SharedNumberSecondChosen", {}, {{"11"}, {"21#2"}, {"15"}},
     "NPC 10: I keep this tavern.\nPC 11: Tell me more.\n  runs: npc.set_met(pc)\n"
     "NPC 20: That is all.\nPC 21: Another round.\nNPC 10: I keep this tavern.\nPC 15: Odd.\n"
     "END\n", 3},
    {"FromAReplyToAReply", From("23"), {},
     "PC 23: Ask again.\nLine 11 is a reply, not an NPC line: the conversation stops here.\n", 0},
    {"FromAnOddNumber", From(" 1"), {}, "Line \" 1\" does not exist: the conversation stops here.\n", 0},
    {"FromAHeldBackReply", From("31"), {}, "PC 31: Clever. [forced]\nEND\n", 0},
    // Numbers are text: "010" is not line 10.
    {"FromIsExactText", From("010"), {}, "Line 010 does not exist: the conversation stops here.\n", 0},
};
// clang-format on

class PlayTest : public testing::TestWithParam<PlayCase> {};

TEST_P(PlayTest, Transcript) {
  const Conversation c = ReadConversation(std::string_view(kTavern));
  const PlayCase& k = GetParam();
  const Play p = PlayConversation(c, k.setup, k.choices);
  EXPECT_EQ(TranscriptText(p), k.transcript);
  EXPECT_EQ(p.choicesTaken, k.taken);
}

INSTANTIATE_TEST_SUITE_P(Rules, PlayTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The target is the first record whose number is exactly the jump, even where the editor's
// lookup would stop at an earlier "50" for a jump to "5"; conditions are listed once, as met.
TEST(PlayTest, ExactTargetAndConditionsMet) {
  const std::string bytes =
      "{1}{Hi.}{}{}{}{}{}\r\n{2}{Go.}{}{}{a}{5}{}\r\n{3}{Stay.}{}{}{a}{1}{}\r\n"
      "{50}{Fifty.}{}{}{}{}{}\r\n{5}{Five.}{}{}{}{}{}\r\n{6}{Back.}{}{}{b}{1}{}\r\n";
  const Conversation c = ReadConversation(std::string_view(bytes));
  const Play p = PlayConversation(c, {}, std::vector<Choice>{{"2"}, {"6"}, {"3"}});
  EXPECT_EQ(TranscriptText(p),
            "NPC 1: Hi.\nPC 2: Go.\nNPC 5: Five.\nPC 6: Back.\nNPC 1: Hi.\nPC 3: Stay.\n"
            "NPC 1: Hi.\n  2: Go. [if a]\n  3: Stay. [if a]\n");
  EXPECT_EQ(p.conditions, (std::vector<std::string>{"a", "b"}));
  EXPECT_TRUE(p.waiting);
}

}  // namespace
}  // namespace dlg::play
