#pragma once
// The conversation as the player meets it. A play is a pure function of the records, the player
// (sex, intelligence), the condition switches and the choices made so far: it gives the
// transcript and the replies offered now, each reply held back with the reason. The Play window
// and dlgplay both render its result, and a replay after an edit is the same call on the new
// records.

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/conversation.h"

namespace dlg::play {

enum class Sex { Male, Female };

inline constexpr int kLeastIntelligence = 1;
inline constexpr int kMostIntelligence = 20;

struct Setup {
  Sex sex = Sex::Male;
  int intelligence = 10;
  // The condition texts switched to false; every other condition holds.
  std::set<std::string, std::less<>> falseConditions;
  std::string from;  // the number of the line to start at; "" for the first record
};

// A reply chosen by its name at its line (see Reply). A forced choice is taken even when the
// reply is held back.
struct Choice {
  std::string name;
  bool forced = false;

  bool operator==(const Choice&) const = default;
};

struct Reply {
  int record = -1;
  std::string number;
  // What a choice names it by: its number, or "21#2" for the second reply numbered 21 at its line,
  // so that each reply a line offers can be chosen even where two share a number.
  std::string name;
  std::string text;   // the wording this player sees
  std::string marks;  // "[Int 8] [if game.story_state == 0]", or ""
  std::string why;    // why it is held back; "" when it is offered
};

enum class EntryKind { Npc, Pc, End, Stop };

struct Entry {
  EntryKind kind = EntryKind::Stop;
  int record = -1;  // the NPC line or the reply; -1 for the end and most stops
  std::string number;
  std::string text;  // the wording; for a stop, its sentence
  std::string runs;  // a reply's execution flags
  bool forced = false;
  std::vector<Reply> heldBack;  // a stop at a line that offers no reply: every reply, with why
};

struct Play {
  std::vector<Entry> transcript;
  // The replies of the line reached while the play waits there for a choice, which it does when
  // the choices ran out or one of them was not offered; empty otherwise.
  std::vector<Reply> offered;
  std::vector<Reply> heldBack;
  std::size_t choicesTaken = 0;
  // Every condition the play met, once, in the order met.
  std::vector<std::string> conditions;
  // At a line, for a choice: the choices ran out there, one was not offered, or no reply is
  // (a held-back one can still be forced).
  bool waiting = false;
};

// Plays `c` from the line of `setup.from`, taking `choices` in order as far as they are offered.
// The result holds copies of its texts, so it outlives `c`.
Play PlayConversation(const Conversation& c, const Setup& setup, std::span<const Choice> choices);

// The text dlgplay prints, in the file's bytes (the caller maps them to UTF-8): every entry,
// "NPC 10: I keep this tavern.", "PC 11: Tell me more." and "  runs: ..." under it, "END" or the
// sentence of a stop; then, while the play waits, every reply offered, "  11: Tell me more.".
std::vector<std::string> EntryLines(const Entry& e);
std::string ReplyLine(const Reply& r);  // "11: Tell me more. [Int 8]", with why when held back
std::string TranscriptText(const Play& p);

}  // namespace dlg::play
