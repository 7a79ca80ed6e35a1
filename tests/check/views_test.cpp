// The rows a view of the whole conversation lists: outline, found records, problems. Which
// records a find lists, in which field, and never across a field's end, is the find_records
// fuzz target's, against a search of each field in turn; the rows here pin the texts and folds.

#include "check/views.h"

#include <gtest/gtest.h>

namespace dlg::check {
namespace {

const std::string kTavern =
    "{2}{Who lets rooms here?}{}{}{}{5}{}\r\n"
    "{10}{I keep this tavern.}{Ich f\xFChre diese Schenke.}{}{}{}{}\r\n"
    "{11}{Tell me more.}{}{}{pc.flag(\"\xC9TAT\")}{1}{}\r\n"
    "{12}{Bye.}{}{}{}{0}{npc.say(\"\x9C\x75vre\")}\r\n"
    "{20}{" +
    std::string(300, 'w') + "}{}{}{}{}{}\r\n";

TEST(Views, OutlineListsNpcLinesWithTheirReplies) {
  const Conversation c = ReadConversation(kTavern);
  std::vector<std::tuple<int, int, std::string>> rows;
  for (int i = 0; i < static_cast<int>(c.records.size()); ++i)
    rows.emplace_back(i, c.records[i].npc ? -1 : c.records[i].group, OutlineText(c, i));
  const std::vector<std::tuple<int, int, std::string>> want = {
      {0, -1, "2 -> 5  Who lets rooms here?"},  // before the first NPC line: at the top
      {1, -1, "10  I keep this tavern."},
      {2, 1, "11 -> 1  Tell me more."},
      {3, 1, "12 -> 0  Bye."},
      {4, -1, "20  " + std::string(200, 'w') + "..."},  // a long text cut short
  };
  EXPECT_EQ(rows, want);
}

struct FindCase {
  const char* name;
  std::string needle;
  std::vector<std::string> rows;
  std::string_view Fields::*field = nullptr;  // where the first row's text was found
};
void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindTest : public testing::TestWithParam<FindCase> {};

// The rows as a window makes them, row by row.
TEST_P(FindTest, ListsEveryRecordThatHoldsTheText) {
  const Conversation c = ReadConversation(kTavern);
  std::vector<std::string> shown;
  const std::vector<FoundAt> found = FindRecords(c, GetParam().needle);
  for (const FoundAt& at : found) shown.push_back(FoundText(c, at));
  EXPECT_EQ(shown, GetParam().rows);
  if (!found.empty()) {
    EXPECT_EQ(found.front().field, GetParam().field);
  }
}

// clang-format off
const FindCase kFinds[] = {
    {"CaseIgnored", "TAVERN", {"10  male: I keep this tavern."}, &Fields::maleText},
    {"FemaleText", "schenke", {"10  female: Ich f\xFChre diese Schenke."}, &Fields::femaleText},
    {"FlagsAndLetterBeyondAscii", "\xE9tat", {"11  if: pc.flag(\"\xC9TAT\")"},
     &Fields::conditionFlags},
    {"LigatureFolds", "\x8C\x55VRE", {"12  runs: npc.say(\"\x9C\x75vre\")"},
     &Fields::executionFlags},
    // The last record, its text cut as the outline cuts it.
    {"LongTextCut", "WWW", {"20  male: " + std::string(200, 'w') + "..."}, &Fields::maleText},
    {"MultiplicationSignIsNoLetter", "\xD7", {}},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Cases, FindTest, testing::ValuesIn(kFinds),
                         [](const auto& info) { return info.param.name; });

// The record's number first; a line without a record, or a record without a number, has only
// its place in the file.
TEST(Views, ProblemRowsNameTheRecordThenTheFileLine) {
  const std::string bytes =
      "{2}{Who lets rooms here?}{}{}{}{5}{}\r\n\r\n{}{No "
      "number.}{}{}{}{}{}\r\n{x1}{Odd.}{}{}{}{}{}\r\n";
  const Conversation c = ReadConversation(bytes);
  const std::vector<Problem> problems = FindProblems(c);
  ASSERT_EQ(problems.size(), 9u);
  const std::pair<int, const char*> kRows[] = {
      {0,
       "line 2 (file line 1): error: reply 2 leads to line 5, which no record has "
       "[missing-target]"},
      {2,
       "file line 2: error: blank line: the editor stops its list of line numbers here, so no "
       "line below it is listed [syntax]"},
      {5, "file line 3: warning: NPC line \"\" has no replies after it [no-replies]"},
      {8,
       "line \"x1\" (file line 4): warning: NPC line \"x1\" has no replies after it "
       "[no-replies]"},
  };
  for (const auto& [row, text] : kRows) EXPECT_EQ(ProblemText(c, problems[row]), text);
}

}  // namespace
}  // namespace dlg::check
