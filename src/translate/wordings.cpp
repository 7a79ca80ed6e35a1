#include "translate/wordings.h"

#include <unordered_map>
#include <unordered_set>

#include "dialogue/cp1252.h"
#include "dialogue/number_rules.h"
#include "dialogue/quoted_text.h"

namespace dlg::translate {

std::vector<RecordKey> RecordKeys(const Conversation& c) {
  std::vector<RecordKey> keys;
  keys.reserve(c.records.size());
  std::unordered_map<std::string_view, int> seen;
  // Every context handed out, so that a number written like another's context ("12 #2") never
  // makes two records one.
  std::unordered_set<std::string> taken;
  taken.reserve(c.records.size() * 2);
  for (const Record& r : c.records) {
    RecordKey key{Cp1252ToUtf8(r.Fields().lineNumber), ++seen[r.Fields().lineNumber]};
    const std::string base = key.text;
    for (;;) {
      key.text = key.occurrence == 1 ? base : base + " #" + std::to_string(key.occurrence);
      if (!taken.contains(key.text) && !taken.contains(Context(key, Form::Female))) break;
      ++key.occurrence;
    }
    taken.insert(key.text);
    taken.insert(Context(key, Form::Female));
    keys.push_back(std::move(key));
  }
  return keys;
}

std::string Context(const RecordKey& key, Form form) {
  return form == Form::Male ? key.text : key.text + " female";
}

std::string RecordName(const Record& r, const RecordKey& key) {
  std::string name = "record " + NumberText(r.Fields().lineNumber);
  if (key.occurrence > 1) name += " #" + std::to_string(key.occurrence);
  return name;
}

std::vector<Wording> ListWordings(const Conversation& c, std::string_view bytes) {
  const std::vector<RecordKey> keys = RecordKeys(c);
  std::vector<Wording> out;
  out.reserve(c.records.size() * 2);
  for (std::size_t i = 0; i < c.records.size(); ++i) {
    for (Form form : {Form::Male, Form::Female}) {
      const std::string_view text = WordingOf(c.records[i], form);
      if (text.empty()) continue;
      out.push_back({static_cast<int>(i), form, Context(keys[i], form),
                     static_cast<std::size_t>(text.data() - bytes.data()), text.size()});
    }
  }
  return out;
}

namespace {

// A whole number without its sign and leading zeros.
std::string_view Magnitude(std::string_view n) {
  if (!n.empty() && n.front() == '-') n.remove_prefix(1);
  while (n.size() > 1 && n.front() == '0') n.remove_prefix(1);
  return n;
}

}  // namespace

std::string TranslatorNote(const Conversation& c, int record, Form form) {
  const Record& r = c.records[record];
  std::string note;
  if (r.npc) {
    note = "NPC line";
  } else {
    note = "player's reply";
    if (const int npc = c.records[record].group; npc >= 0) {
      note += " to line " + Cp1252ToUtf8(c.records[npc].Fields().lineNumber);
    }
    note += IsEndJump(r.Fields().jumpLine) ? ", ends the conversation"
                                           : ", leads to " + Cp1252ToUtf8(r.Fields().jumpLine);
  }
  if (form == Form::Female) {
    note += r.npc ? "\nsaid to a female player" : "\nchosen by a female player";
  }
  const std::string_view check = r.Fields().intCheck;
  if (!r.npc && !check.empty()) {
    if (!IsWholeNumber(check)) {
      note += "\nintelligence check " + Cp1252ToUtf8(check) + ", not a whole number";
    } else if (const std::string_view n = Magnitude(check); n != "0") {
      note += "\na reply for a player of intelligence " + std::string(n) +
              (check.front() == '-' ? " or less" : " or more");
    }
  }
  if (!r.Fields().conditionFlags.empty()) {
    note += "\ncondition: " + Cp1252ToUtf8(r.Fields().conditionFlags);
  }
  return note;
}

}  // namespace dlg::translate
