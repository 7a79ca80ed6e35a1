#pragma once
// How much a dialogue has to say: its NPC lines and replies, and the words of their wordings,
// male and female apart. A voice-over studio prices by these words, and the command line and the
// Conversation window both show them, so both count here.
//
// A word is a run of characters between blanks (spaces, tabs, the no-break space, control
// characters), dashes (– and —) and ellipses (…) that holds at least one letter or digit of
// Windows-1252: "don't", "well-met", "3rd" and "Ærin's" are one word each, while "--", "..." and
// "?" alone are none. An empty female wording counts no words: the game speaks the male one.

#include <string_view>

#include "dialogue/conversation.h"

namespace dlg::check {

struct WordCounts {
  long long male = 0;
  long long female = 0;
  WordCounts& operator+=(const WordCounts& o) {
    male += o.male;
    female += o.female;
    return *this;
  }
  bool operator==(const WordCounts&) const = default;
};

struct DialogueCounts {
  long long npcLines = 0;
  long long replies = 0;  // every record that is no NPC line, those before the first one too
  WordCounts npcWords;
  WordCounts replyWords;
  DialogueCounts& operator+=(const DialogueCounts& o) {
    npcLines += o.npcLines;
    replies += o.replies;
    npcWords += o.npcWords;
    replyWords += o.replyWords;
    return *this;
  }
  bool operator==(const DialogueCounts&) const = default;
};

// The words of one wording, in the file's bytes.
int CountWords(std::string_view text);

DialogueCounts CountDialogue(const Conversation& c);

}  // namespace dlg::check
