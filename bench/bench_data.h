#pragma once
// A generated dialogue of many records (about 100 bytes each) in ascending number order:
// an NPC line every `groupSize` records, the records between them its responses.

#include <string>

#include "dialogue/record.h"

namespace dlg::bench {

inline std::string GeneratedDialogue(int records, int groupSize) {
  std::string out;
  out.reserve(static_cast<std::size_t>(records) * 104);
  for (int i = 1; i <= records; ++i) {
    const bool npc = (i - 1) % groupSize == 0;
    // Built whole rather than assigned field by field: g++ 12 at -O2 takes the assignment of a
    // short literal for an overlapping copy (-Wrestrict).
    const DialogueRecord r{std::to_string(i),
                           npc ? "The ferry leaves at dusk, and not a moment later, stranger."
                               : "Then I had better find the coin for it before the bell rings.",
                           (i % 3 == 0) ? "Then I had better hurry." : "",
                           (i % 5 == 0) ? "8" : "",
                           npc ? "" : "pc.money_get() >= 10",
                           npc ? "" : std::to_string(i + groupSize),
                           npc ? "" : "pc.money_adj(-10)"};
    out += FormatRecordLine(r);
  }
  return out;
}

}  // namespace dlg::bench
