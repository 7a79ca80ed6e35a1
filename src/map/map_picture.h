#pragma once
// The map the Conversation window shows: the whole conversation, or past the size that lays out
// in time the lines around the one the editor shows, with a note saying which.

#include <string>

#include "check/conversation_snapshot.h"
#include "map/map_layout.h"

namespace dlg::map {

struct MapPicture {
  MapLayout layout;
  std::string note;  // what the map shows when it is not the whole conversation, or why not
  int around = -1;   // the record whose neighbourhood it shows; -1: the whole conversation
  bool drawn = false;
};

// The whole conversation's map, or above the size limit the neighbourhood of `record`.
MapPicture LayOutConversation(const check::ConversationSnapshot& s, int record);
// Whether a map drawn for `picture.around` still serves when the editor shows `record`.
bool MapServes(const check::ConversationSnapshot& s, const MapPicture& picture, int record);

}  // namespace dlg::map
