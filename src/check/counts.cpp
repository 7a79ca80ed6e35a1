#include "check/counts.h"

#include <array>

#include "dialogue/cp1252.h"

namespace dlg::check {

namespace {

enum class Kind { Gap, Mark, Letter };

// What a byte is to a word, by the code point the editor shows for it.
Kind KindOf(unsigned char byte) {
  const char16_t cp = Cp1252CodePoint(byte);
  if (cp <= 0x20 || (cp >= 0x7F && cp <= 0xA0)) return Kind::Gap;  // blanks, control characters
  if (cp == 0x2013 || cp == 0x2014 || cp == 0x2026) return Kind::Gap;
  if ((cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z')) {
    return Kind::Letter;
  }
  if (cp == 0xAA || cp == 0xB2 || cp == 0xB3 || cp == 0xB5 || cp == 0xB9 || cp == 0xBA) {
    return Kind::Letter;  // ª ² ³ µ ¹ º
  }
  if (cp >= 0xC0 && cp <= 0xFF) return cp == 0xD7 || cp == 0xF7 ? Kind::Mark : Kind::Letter;
  // Š Œ Ž š œ ž Ÿ ƒ; the other code points above the Latin-1 range are punctuation.
  if (cp == 0x0160 || cp == 0x0152 || cp == 0x017D || cp == 0x0161 || cp == 0x0153 ||
      cp == 0x017E || cp == 0x0178 || cp == 0x0192) {
    return Kind::Letter;
  }
  return Kind::Mark;
}

const auto kKinds = [] {
  std::array<Kind, 256> kinds{};
  for (int b = 0; b < 256; ++b) kinds[b] = KindOf(static_cast<unsigned char>(b));
  return kinds;
}();

}  // namespace

int CountWords(std::string_view text) {
  int words = 0;
  bool inRun = false, counted = false;
  for (const char c : text) {
    const Kind k = kKinds[static_cast<unsigned char>(c)];
    if (k == Kind::Gap) {
      inRun = false;
      continue;
    }
    if (!inRun) counted = false;
    inRun = true;
    if (k == Kind::Letter && !counted) {
      ++words;
      counted = true;
    }
  }
  return words;
}

DialogueCounts CountDialogue(const Conversation& c) {
  DialogueCounts n;
  for (const Record& r : c.records) {
    (r.npc ? n.npcLines : n.replies) += 1;
    WordCounts& words = r.npc ? n.npcWords : n.replyWords;
    words.male += CountWords(r.Fields().maleText);
    words.female += CountWords(r.Fields().femaleText);
  }
  return n;
}

}  // namespace dlg::check
