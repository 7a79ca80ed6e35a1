#pragma once
// The working copy as the Conversation window shows it at one moment: its bytes, the
// conversation read from them, the shape of the outline and the checks' findings. The rows'
// texts are made as a view shows them. Made off the window's thread and never changed after,
// so views and later work share it freely.

#include <memory>
#include <string>
#include <vector>

#include "check/views.h"
#include "dialogue/conversation.h"
#include "map/map_layout.h"

namespace dlg::ui {

struct ConversationSnapshot {
  std::string bytes;
  Conversation conversation;  // views into `bytes`
  // The outline lists the records in file order, each reply under its NPC line: these stand at
  // its top, the NPC lines and the replies before the first of them.
  std::vector<int> outlineTop;
  std::vector<check::Problem> problems;
  std::vector<int> problemRecords;  // per finding, the record on its line, or -1
  std::string error;                // why the working copy could not be read

  // The record the editor shows for `number` (the first that carries it), or -1.
  int RecordOf(const std::string& number) const;
  std::string NumberOf(int record) const;
};

// Lets go of a snapshot on another thread: freeing a million rows would keep the window's
// thread from its events.
void ReleaseAside(std::shared_ptr<const ConversationSnapshot> snapshot);

// Reads the file at `path` and makes the rows. A file that cannot be read gives an empty
// conversation and the reason in `error`.
std::shared_ptr<const ConversationSnapshot> TakeSnapshot(const std::string& path);
std::shared_ptr<ConversationSnapshot> SnapshotOf(std::string bytes);

struct MapPicture {
  map::MapLayout layout;
  std::string note;  // what the map shows when it is not the whole conversation, or why not
  int around = -1;   // the record whose neighbourhood it shows; -1: the whole conversation
  bool drawn = false;
};

// The whole conversation's map, or above the size limit the neighbourhood of `record`.
MapPicture LayOutConversation(const ConversationSnapshot& s, int record);
// Whether a map drawn for `drawnAround` still serves when the editor shows `record`.
bool MapServes(const ConversationSnapshot& s, const MapPicture& picture, int record);

}  // namespace dlg::ui
