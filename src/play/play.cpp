#include "play/play.h"

#include <algorithm>
#include <unordered_map>

#include "dialogue/number_rules.h"

namespace dlg::play {

namespace {

// The intelligence check as a whole number, by the rule dlgcheck's int-check warns by; values
// past any intelligence are held at a bound, where they compare the same.
bool WholeNumber(std::string_view s, long& value) {
  if (!IsWholeNumber(s)) return false;
  const bool negative = s.front() == '-';
  value = 0;
  for (const char ch : s.substr(negative ? 1 : 0))
    value = std::min(value * 10 + (ch - '0'), 1'000'000L);
  if (negative) value = -value;
  return true;
}

std::string_view Wording(const Fields& f, const Setup& setup) {
  return setup.sex == Sex::Female && !f.femaleText.empty() ? f.femaleText : f.maleText;
}

Reply Judge(const Conversation& c, int record, const Setup& setup) {
  const Fields& f = c.records[static_cast<std::size_t>(record)].Fields();
  Reply r;
  r.record = record;
  r.number = f.lineNumber;
  r.text = Wording(f, setup);
  long check = 0;
  const auto addWhy = [&r](const std::string& why) { r.why += (r.why.empty() ? "" : "; ") + why; };
  if (f.intCheck.empty()) {
    // Always offered.
  } else if (!WholeNumber(f.intCheck, check)) {
    r.marks = "[Int ?]";
  } else if (check != 0) {
    r.marks = "[Int " + std::string(f.intCheck) + "]";
    if (check > 0 && setup.intelligence < check)
      addWhy("needs intelligence " + std::to_string(check) + " or more");
    if (check < 0 && setup.intelligence > -check)
      addWhy("needs intelligence " + std::to_string(-check) + " or less");
  }
  if (!f.conditionFlags.empty()) {
    r.marks += (r.marks.empty() ? "[if " : " [if ") + std::string(f.conditionFlags) + "]";
    if (setup.falseConditions.contains(f.conditionFlags))
      addWhy("condition false: " + std::string(f.conditionFlags));
  }
  return r;
}

Entry Stop(std::string sentence) {
  Entry e;
  e.kind = EntryKind::Stop;
  e.text = std::move(sentence);
  return e;
}

std::string Stops(std::string_view number, std::string_view what) {
  // An odd number quoted, as dlgcheck quotes it: "Line " 0" does not exist" would hide a blank.
  const std::string shown =
      IsDigits(number) ? std::string(number) : "\"" + std::string(number) + "\"";
  return "Line " + shown + " " + std::string(what) + ": the conversation stops here.";
}

class Walk {
 public:
  Walk(const Conversation& c, const Setup& setup) : c_(c), setup_(setup) {}

  Play Run(std::span<const Choice> choices) {
    int at = Start();
    // A start at a reply plays it as said, and says so where this player could not choose it.
    if (at >= 0 && !c_.records[static_cast<std::size_t>(at)].npc) {
      Meet(c_.records[static_cast<std::size_t>(at)].Fields().conditionFlags);
      at = Chosen(at, !Judge(c_, at, setup_).why.empty());
    }
    while (at >= 0) {
      const bool npc = c_.records[static_cast<std::size_t>(at)].npc;
      at = npc ? AtLine(at, choices) : Chosen(at, false);
    }
    return std::move(play_);
  }

 private:
  // The first record, or the first whose number is exactly the one asked for; -1 after a stop.
  int Start() {
    if (c_.records.empty()) {
      play_.transcript.push_back(Stop("The file holds no line to play."));
      return -1;
    }
    if (setup_.from.empty()) return 0;
    for (std::size_t i = 0; i < c_.records.size(); ++i)
      if (c_.records[i].Fields().lineNumber == setup_.from) return static_cast<int>(i);
    play_.transcript.push_back(Stop(Stops(setup_.from, "does not exist")));
    return -1;
  }

  // Says an NPC line and takes the next choice among its replies; the record it leads to, or -1.
  int AtLine(int npc, std::span<const Choice> choices) {
    const Fields& f = c_.records[static_cast<std::size_t>(npc)].Fields();
    Entry said;
    said.kind = EntryKind::Npc;
    said.record = npc;
    said.number = f.lineNumber;
    said.text = Wording(f, setup_);
    play_.transcript.push_back(std::move(said));

    std::vector<Reply> offered, heldBack;
    std::unordered_map<std::string_view, int> sharing;  // replies so far by number
    for (int i = 1; i <= c_.records[static_cast<std::size_t>(npc)].replyCount; ++i) {
      Reply r = Judge(c_, npc + i, setup_);
      const int k = ++sharing[c_.records[static_cast<std::size_t>(npc + i)].Field(0)];
      r.name = k == 1 ? r.number : r.number + "#" + std::to_string(k);
      Meet(c_.records[static_cast<std::size_t>(npc + i)].Fields().conditionFlags);
      (r.why.empty() ? offered : heldBack).push_back(std::move(r));
    }
    const auto find = [](const std::vector<Reply>& replies, const std::string& name) {
      return std::find_if(replies.begin(), replies.end(),
                          [&](const Reply& r) { return r.name == name; });
    };
    const Choice* next =
        play_.choicesTaken < choices.size() ? &choices[play_.choicesTaken] : nullptr;
    if (next != nullptr) {
      if (auto it = find(offered, next->name); it != offered.end()) {
        ++play_.choicesTaken;
        return Chosen(it->record, false);
      }
      if (auto it = find(heldBack, next->name); it != heldBack.end() && next->forced) {
        ++play_.choicesTaken;
        return Chosen(it->record, true);
      }
    }
    play_.waiting = true;
    if (offered.empty()) {
      Entry stop = Stop("No reply is offered to this player here.");
      stop.heldBack = heldBack;
      play_.transcript.push_back(std::move(stop));
    } else if (next != nullptr) {
      const auto it = find(heldBack, next->name);
      play_.transcript.push_back(Stop("not offered: " + next->name + " (" +
                                      (it != heldBack.end() ? it->why
                                                            : "line " + std::string(f.lineNumber) +
                                                                  " has no reply " + next->name) +
                                      ")"));
    }
    play_.offered = std::move(offered);
    play_.heldBack = std::move(heldBack);
    return -1;
  }

  // Says a chosen reply and follows its jump: the NPC line it leads to, or -1 after the end or a
  // stop.
  int Chosen(int reply, bool forced) {
    const Fields& f = c_.records[static_cast<std::size_t>(reply)].Fields();
    Entry chose;
    chose.kind = EntryKind::Pc;
    chose.record = reply;
    chose.number = f.lineNumber;
    chose.text = Wording(f, setup_);
    chose.runs = f.executionFlags;
    chose.forced = forced;
    play_.transcript.push_back(std::move(chose));

    const Target& t = c_.target[static_cast<std::size_t>(reply)];
    if (t.kind == TargetKind::End) {
      Entry end;
      end.kind = EntryKind::End;
      play_.transcript.push_back(std::move(end));
      return -1;
    }
    // A Missing target may still be carried by a record the editor's lookup never gets to: the
    // checker's missing-target takes that one, and so does the play.
    if (t.record < 0) {
      play_.transcript.push_back(Stop(Stops(f.jumpLine, "does not exist")));
      return -1;
    }
    if (!c_.records[static_cast<std::size_t>(t.record)].npc) {
      play_.transcript.push_back(Stop(Stops(f.jumpLine, "is a reply, not an NPC line")));
      return -1;
    }
    return t.record;
  }

  void Meet(std::string_view condition) {
    if (condition.empty()) return;
    if (met_.insert(std::string(condition)).second) play_.conditions.emplace_back(condition);
  }

  const Conversation& c_;
  const Setup& setup_;
  Play play_;
  std::set<std::string, std::less<>> met_;
};

}  // namespace

Play PlayConversation(const Conversation& c, const Setup& setup, std::span<const Choice> choices) {
  return Walk(c, setup).Run(choices);
}

std::string ReplyLine(const Reply& r) {
  std::string line = r.name + ": " + r.text;
  if (!r.marks.empty()) line += " " + r.marks;
  if (!r.why.empty()) line += " (" + r.why + ")";
  return line;
}

std::vector<std::string> EntryLines(const Entry& e) {
  std::vector<std::string> lines;
  switch (e.kind) {
    case EntryKind::Npc:
      lines.push_back("NPC " + e.number + ": " + e.text);
      break;
    case EntryKind::Pc:
      lines.push_back("PC " + e.number + ": " + e.text + (e.forced ? " [forced]" : ""));
      if (!e.runs.empty()) lines.push_back("  runs: " + e.runs);
      break;
    case EntryKind::End:
      lines.emplace_back("END");
      break;
    case EntryKind::Stop:
      lines.push_back(e.text);
      for (const Reply& r : e.heldBack) lines.push_back("  " + ReplyLine(r));
      break;
  }
  return lines;
}

std::string TranscriptText(const Play& p) {
  std::string text;
  for (const Entry& e : p.transcript)
    for (const std::string& line : EntryLines(e)) text += line + "\n";
  const bool stopped = !p.transcript.empty() && p.transcript.back().kind == EntryKind::Stop;
  if (p.waiting && !stopped)
    for (const Reply& r : p.offered) text += "  " + ReplyLine(r) + "\n";
  return text;
}

}  // namespace dlg::play
