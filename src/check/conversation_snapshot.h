#pragma once
// The working copy as the Conversation window shows it at one moment: its bytes, the
// conversation read from them, the shape of the outline and the checks' findings, each by the
// record it is about. Made off the window's thread and never changed after, so views and later
// work share it freely.

#include <memory>
#include <string>
#include <vector>

#include "check/views.h"
#include "dialogue/conversation.h"

namespace dlg::check {

struct ConversationSnapshot {
  std::string bytes;
  Conversation conversation;  // views into `bytes`
  // The outline lists the records in file order, each reply under its NPC line: these stand at
  // its top, the NPC lines and the replies before the first of them.
  std::vector<int> outlineTop;
  std::vector<Problem> problems;
  std::vector<int> problemRecords;  // per finding, the record on its line, or -1
  std::string error;                // why the working copy could not be read

  // The record the editor shows for `number` (the first that carries it), or -1.
  int RecordOf(const std::string& number) const;
  std::string NumberOf(int record) const;
  // The NPC line that `record` belongs to, or the record itself before the first NPC line.
  int NpcOf(int record) const;
};

// The snapshot of `bytes`; `error` says why there are none to show.
std::shared_ptr<ConversationSnapshot> SnapshotOf(std::string bytes, std::string error = {});

}  // namespace dlg::check
