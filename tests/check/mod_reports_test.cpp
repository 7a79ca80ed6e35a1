// Word counts as a voice-over studio prices them; the counts table, the voice-over script and the
// text for git diff, byte for byte.

#include <gtest/gtest.h>

#include "check/counts.h"
#include "check/record_text.h"
#include "check/stats_report.h"
#include "check/voice_script.h"

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

TEST(StatsReportTest, TableAndJson) {
  const std::vector<FileCounts> files = {{"a.dlg", {2, 3, {10, 0}, {7, 2}}},
                                         {"d\xC3\xA9j\xC3\xA0/b.dlg", {1, 1, {5, 4}, {1, 0}}}};
  EXPECT_EQ(FormatStatsTable(files),
            "FILE              NPC LINES  REPLIES  NPC WORDS M  NPC WORDS F  REPLY WORDS M  "
            "REPLY WORDS F\n"
            "a.dlg                     2        3           10            0              7  "
            "            2\n"
            "d\xC3\xA9j\xC3\xA0/b.dlg                1        1            5            4  "
            "            1              0\n"
            "total of 2 files          3        4           15            4              8  "
            "            2\n");
  EXPECT_EQ(
      FormatStatsJson({files[0]}, 1),
      "{\"files\": [\n  {\"file\": \"a.dlg\", \"npc_lines\": 2, \"replies\": 3, \"npc_words\": "
      "{\"male\": 10, \"female\": 0}, \"reply_words\": {\"male\": 7, \"female\": 2}}\n], "
      "\"total\": {\"files\": 1, \"npc_lines\": 2, \"replies\": 3, \"npc_words\": {\"male\": "
      "10, \"female\": 0}, \"reply_words\": {\"male\": 7, \"female\": 2}}, \"unreadable\": 1}\n");
}

// Depth first from the first line: 40, reached through 10, comes before 20; 30, which nothing
// reaches, comes last; a line stands once, under the first reply that reaches it.
TEST(VoiceScriptTest, ConversationOrderAsCsv) {
  const std::string bytes =
      "{1}{Who goes there?}{}{}{}{}{}\r\n{2}{A friend.}{}{}{}{10}{}\r\n"
      "{3}{Nobody, \"sir\".}{}{5}{has_mask}{20}{}\r\n{4}{Again.}{}{}{}{10}{}\r\n"
      "{10}{Pass, friend.}{Pass, dearie.}{}{}{}{}\r\n{11}{Deeper.}{}{}{}{40}{}\r\n"
      "{20}{Then go, caf\xE9 ghost}{}{}{}{}{}\r\n{21}{Bye.}{}{}{}{0}{}\r\n"
      "{30}{Never said.}{}{}{}{}{}\r\n{31}{Hm.}{}{}{}{20}{}\r\n{40}{Down here.}{}{}{}{}{}\r\n";
  std::vector<ScriptRow> rows;
  AppendScriptRows(ReadConversation(bytes), "v.dlg", rows);
  EXPECT_EQ(ScriptCsv(rows),
            "\xEF\xBB\xBF"
            "File,Line,Form,Text,Words,Reply,Reply text,Condition\r\n"
            "v.dlg,1,male,Who goes there?,3,,,\r\n"
            "v.dlg,10,male,\"Pass, friend.\",2,2,A friend.,\r\n"
            "v.dlg,10,female,\"Pass, dearie.\",2,2,A friend.,\r\n"
            "v.dlg,40,male,Down here.,2,11,Deeper.,\r\n"
            "v.dlg,20,male,\"Then go, caf\xC3\xA9 ghost\",4,3,\"Nobody, \"\"sir\"\".\",Int 5; "
            "has_mask\r\n"
            "v.dlg,30,male,Never said.,2,,,\r\n");
}

// A control character of the file is shown, not sent to the terminal; the text of a field that
// its line ends in, and after an empty seventh field closed by its opener, are shown too.
// Each "_" that would begin an escape is one itself, read back as "_".
TEST(VoiceScriptTest, WorkbookCellKeepsWhatLooksLikeAnEscape) {
  const std::pair<std::string, std::string> cases[] = {
      {"_x0041_", "_x005F_x0041_"},
      {"a_x00e9_b_XABCD_", "a_x005F_x00e9_b_XABCD_"},      // lower hex; "_X" is no escape
      {"_x005F_x0041_", "_x005F_x005F_x005F_x0041_"},      // two runs, one after the other
      {"_x004_ _x00G1_ _x0041", "_x004_ _x00G1_ _x0041"},  // too short, no hex, not closed
  };
  for (const auto& [text, cell] : cases) EXPECT_EQ(WorkbookCellText(text), cell) << text;
}

TEST(RecordTextTest, AFieldALineUnderItsRecord) {
  const std::string bytes =
      "{1}{Hello.}{Hello, dear.}{}{}{}{}\r\n{2}{Pay.}{}{12}{gold > 5}{10}{gold -= 5}\r\n"
      "{3}{Bye.}{}{}{}{0}}x\r\n\r\nnot a\x1B[2J record\r\n{10}{Caf\xE9}{}{half\r\n";
  EXPECT_EQ(RecordText(ReadConversation(bytes)),
            "1 NPC\n  male: Hello.\n  female: Hello, dear.\n"
            "2 PC -> 10\n  male: Pay.\n  int: 12\n  if: gold > 5\n  runs: gold -= 5\n"
            "3 PC -> 0 (end)\n  male: Bye.\n  after: x\n"
            "file line 4: blank\nfile line 5: no record: not a\\x1B[2J record\n"
            "\n10 NPC (3 of 7 fields)\n  male: Caf\xC3\xA9\n  unclosed: half\n");
}

}  // namespace
}  // namespace dlg::check
