#pragma once
// What a view of the whole conversation lists beside the editor: the outline of its NPC lines
// and their replies, the rows of the checks' findings, and the records that hold a text. Rows
// are in the file's bytes, cut to one line; each names the record it stands for.

#include <string>
#include <string_view>
#include <vector>

#include "check/checks.h"
#include "dialogue/conversation.h"

namespace dlg::check {

// The outline lists NPC lines in file order, "10  I keep this tavern.", each followed by its
// replies, "11 -> 1  Tell me more." (number, the line it leads to, the text); replies before the
// first NPC line come first, at the top. Row i is record i, under c.records[i].group for a reply,
// so a view lists the rows from the conversation and makes the text of those it shows:
std::string OutlineText(const Conversation& c, int record);

// "line 21 (file line 10): error: message [check]", a problem of FindProblems a row, its message
// made now: the record's number first, as modders name lines, then where it stands in the file.
// A line that holds no record, or a record whose number is empty, has only "file line 10: ...".
std::string ProblemText(const Conversation& c, const Problem& p);

// Why "Go to:" its number never shows `record` (a duplicate or a longer number stands before it),
// or "" when it does: "Line 6 on file line 15 cannot be reached by its number: ...".
std::string UnreachableNote(const Conversation& c, int record);

// The fields a search looks in, in the order it looks, with the names their rows give them
// (the words of the Play transcript).
struct SearchedField {
  std::string_view Fields::*field;
  std::string_view name;
};
inline constexpr SearchedField kSearchedFields[] = {{&Fields::maleText, "male"},
                                                    {&Fields::femaleText, "female"},
                                                    {&Fields::conditionFlags, "if"},
                                                    {&Fields::executionFlags, "runs"}};

// The records whose male or female text or flags hold `needle`, letter case ignored as the
// Windows-1252 table has it, each with the field that holds it first, in the order of
// kSearchedFields. An empty needle finds nothing. A view makes the text of the rows it shows.
struct FoundAt {
  int record = 0;
  std::string_view Fields::*field = nullptr;
};
std::vector<FoundAt> FindRecords(const Conversation& c, std::string_view needle);
// "NUMBER  FIELD: " + the text of the field that matched, cut to one line.
std::string FoundText(const Conversation& c, const FoundAt& at);
// The same row from a record's number, the name of the field that holds the needle and its text.
std::string FoundRow(std::string_view number, std::string_view name, std::string_view text);

}  // namespace dlg::check
