// Word counts as a voice-over studio prices them.

#include "check/counts.h"

#include <gtest/gtest.h>

namespace dlg::check {
namespace {

TEST(CountsTest, WordsOfAWording) {
  // clang-format off
  const std::pair<const char*, int> kWords[] = {
      {"", 0},
      {"Well met, stranger.", 3},
      {"  Two\tblanks  ", 2},
      {"Don't go -- it's well-met.", 4},      // a dash between blanks is no word
      {"...?!", 0},
      {"Wait\x85what\x97now\x96then", 4},     // … — – part words
      {"3rd of 10,000", 3},
      {"\xC6rin's caf\xE9 \xA0 na\xEFve", 3},  // Windows-1252 letters; the no-break space parts
      {"\x8Auma \xD7 \xF7", 1},                 // Š is a letter, × and ÷ are not
  };
  // clang-format on
  for (const auto& [text, words] : kWords) EXPECT_EQ(CountWords(text), words) << text;
}

TEST(CountsTest, NpcLinesAndRepliesApart) {
  const std::string bytes =
      "{5}{Stray reply.}{}{}{}{0}{}\r\n"  // before any NPC line: still a reply
      "{1}{Hello there.}{Hello, dearie.}{}{}{}{}\r\n"
      "{2}{Bye.}{}{}{}{0}{}\r\n"
      "{10}{Go away now.}{}{}{}{}{}\r\n";
  const DialogueCounts n = CountDialogue(ReadConversation(bytes));
  EXPECT_EQ(n, (DialogueCounts{2, 2, {5, 2}, {3, 0}}));
}

}  // namespace
}  // namespace dlg::check
