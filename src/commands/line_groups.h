#pragma once
// What Delete Line and Renumber Line share: a line with its replies as the working copy holds
// them, the replies elsewhere that lead to a number, and the write of the changed copy as one
// step for Undo.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/editor.h"
#include "commands/undo_history.h"
#include "dialogue/lines.h"

namespace dlg {

inline std::string_view ContentOf(std::string_view bytes, const Line& line) {
  return bytes.substr(line.start, line.contentEnd - line.start);
}

// Every record that carries a number, each NPC line among them with its replies (the records
// after it up to the next NPC line), in file order.
struct LineGroup {
  std::vector<Line> lines;
  std::vector<bool> isReply;  // line by line
  int numbered = 0;
  int replies = 0;
  std::string_view lineBefore;  // the number of the record before the first one
  bool Holds(const Line& line) const;
};
LineGroup FindLineGroup(std::string_view bytes, std::string_view number);

// The numbers of the replies whose jump is `number`, those of `group` left out.
std::vector<std::string_view> RepliesLeadingTo(std::string_view bytes, std::string_view number,
                                               const LineGroup* group = nullptr);
// "23", "23 and 42", "23, 42 and 57"; past ten, the first ten and "and 12 more".
std::string NumberList(const std::vector<std::string_view>& numbers);

// The write of a changed copy as one step, and the list and the view made to match it.
bool WriteAsStep(Editor& ed, std::span<const std::string_view> pieces, UndoStep step);
void ReportNotInCopy(Editor& ed, const std::string& what, const std::string& number,
                     const std::string& done);

}  // namespace dlg
