// "Edit Response": the selected response's own record becomes the current line, so that its
// fields can be edited in the line boxes.

#include "commands/edit_response.h"

#include <string>

#include "commands/lookup.h"

namespace dlg {

void EditResponse(Editor& ed) {
  // Both rows of a response with a female form carry the response's own number.
  const std::string target = ed.window.replyNumbers.ItemAt(ed.window.replies.selected);
  GoToAndVisit(ed, target, {.messages = MessageSet::EditResponse});
}

}  // namespace dlg
