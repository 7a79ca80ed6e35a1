#include "map/map_picture.h"

#include "map/map.h"

namespace dlg::map {

MapPicture LayOutConversation(const check::ConversationSnapshot& s, int record) {
  MapPicture picture;
  const Conversation& c = s.conversation;
  if (c.records.empty()) return picture;
  const int lines = NpcLines(c);
  std::string dot;
  if (lines <= kMostLinesDrawn) {
    dot = MapDot(c);
  } else {
    // Too long to lay out whole: the lines around the one shown, or around the first.
    picture.around = record >= 0 ? record : 0;
    dot = MapDotAround(c, picture.around);
    picture.note = "The lines within two replies of line " + s.NumberOf(s.NpcOf(picture.around)) +
                   " (the whole conversation has " + std::to_string(lines) + " NPC lines)";
  }
  std::string error;
  picture.drawn = LayOutMap(dot, picture.layout, error);
  if (!picture.drawn) picture.note = "The map could not be laid out: " + error;
  return picture;
}

bool MapServes(const check::ConversationSnapshot& s, const MapPicture& picture, int record) {
  if (picture.around < 0) return true;
  if (record < 0) return true;  // nothing shown: the map stays where it is
  return s.NpcOf(record) == s.NpcOf(picture.around);
}

}  // namespace dlg::map
