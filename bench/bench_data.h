#pragma once
// A generated dialogue of many records (about 100 bytes each) in ascending number order:
// an NPC line every `groupSize` records, the records between them its responses.

#include <cstring>
#include <string>

#include "commands/platform.h"
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

// Answers Yes to every question (so "Save" writes and "Unload File" unloads) and shows nothing.
class YesPlatform : public Platform {
 public:
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgButtons buttons,
                       MsgIcon) override {
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
  }
  std::string InputBox(const std::string&, const std::string&) override { return {}; }
  void EndProgram() override {}
};

// The plainest pass over the bytes, the yardstick of the readers.
inline std::size_t MemchrLines(const std::string& bytes) {
  std::size_t lines = 0;
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr) {
    ++lines;
    ++p;
  }
  return lines;
}

}  // namespace dlg::bench
