#include "map/map_picture.h"

#include "map/map.h"

namespace dlg::map {

namespace {

// "line 10", or where the line stands when it has no number.
std::string LineName(const check::ConversationSnapshot& s, int record) {
  const std::string number = s.NumberOf(record);
  if (!number.empty()) return "line " + number;
  return "the line without a number on line " +
         std::to_string(s.conversation.records[static_cast<std::size_t>(record)].line) +
         " of the file";
}

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + (n == 1 ? one : many);
}

}  // namespace

MapPicture LayOutConversation(const check::ConversationSnapshot& s, int record) {
  MapPicture picture;
  const Conversation& c = s.conversation;
  if (c.records.empty()) return picture;
  const int lines = NpcLines(c);
  int items = 0;
  std::string dot;
  if (lines <= kMostLinesDrawn) dot = MapDot(c, &items);
  if (dot.empty() || items > kMostItemsDrawn) {
    // Too large to lay out whole: the lines around the one shown, or around the first; fewer of
    // them where that many would be too large as well.
    picture.around = record >= 0 ? record : 0;
    int distance = 2;
    for (; distance >= 0; --distance) {
      dot = MapDotAround(c, picture.around, distance, &items);
      if (items <= kMostItemsDrawn) break;
    }
    const std::size_t replies = c.records.size() - static_cast<std::size_t>(lines);
    const std::string whole =
        "the whole conversation has " + Count(lines, " NPC line", " NPC lines") +
        (lines > kMostLinesDrawn
             ? std::string()
             : " and " + Count(replies, " reply", " replies") + ", too many for one map");
    const std::string line = LineName(s, s.NpcOf(picture.around));
    if (distance < 0) {
      picture.note = "The map is not drawn: " + line +
                     " alone has more replies than a map can show (" + whole + ")";
      return picture;
    }
    static const char* const kWithin[] = {"", " within one reply", " within two replies"};
    picture.note = (distance == 0 ? "Only " + line
                                  : std::string("The lines") + kWithin[distance] + " of " + line) +
                   " (" + whole + ")";
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
