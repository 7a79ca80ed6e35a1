#pragma once
// The voice-over script of `dlgcheck --script`: one row for each wording an NPC speaks, with the
// reply that leads there as the actor's context.
//
// Rows come in the order a reader of the conversation meets the lines: from the first NPC line,
// each reply in file order followed to its line before the next reply is read (depth first), so
// that an exchange stays together. A line reached by several replies stands once, under the first
// that reaches it; lines that nothing reaches from the first follow in file order, each starting
// such a reading of its own. A male wording comes before the female one, which has a row only
// when it is not empty.

#include <array>
#include <string>
#include <vector>

#include "dialogue/conversation.h"

namespace dlg::check {

struct ScriptRow {
  std::string file;  // as given, or as found in a folder, shown as every report names it
  std::string line;  // the NPC line's number; these and the texts in UTF-8
  bool female = false;
  std::string text;
  int words = 0;
  std::string reply;      // the number of the reply that leads there, "" where none does
  std::string replyText;  // its male wording
  std::string condition;  // its intelligence check ("Int 12") and condition flags, "; " between
};

inline constexpr std::array<const char*, 8> kScriptColumns = {
    "File", "Line", "Form", "Text", "Words", "Reply", "Reply text", "Condition"};

// The rows of one file's conversation, appended to `rows`.
void AppendScriptRows(const Conversation& c, const std::string& file, std::vector<ScriptRow>& rows);

// The script as a spreadsheet opens it: UTF-8 after a byte order mark, a heading row, fields
// quoted as RFC 4180 has them (in double quotes, a quote doubled, when they hold a comma, a
// quote or a line break), each row ended by CR LF.
std::string ScriptCsv(const std::vector<ScriptRow>& rows);

// What a workbook cell must hold to show `text`: a spreadsheet reads "_x0041_" in a cell as "A",
// and so a "_" that begins such a run is written as "_x005F_", which it reads as "_".
std::string WorkbookCellText(const std::string& text);

}  // namespace dlg::check
