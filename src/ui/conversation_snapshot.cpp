#include "ui/conversation_snapshot.h"

#include <QThreadPool>
#include <algorithm>

#include "check/checks.h"
#include "fileio/file_ops.h"
#include "fileio/files.h"
#include "map/map.h"

namespace dlg::ui {

int ConversationSnapshot::RecordOf(const std::string& number) const {
  if (number.empty()) return -1;
  const auto& records = conversation.records;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i].fields.lineNumber == number) return static_cast<int>(i);
  return -1;
}

std::string ConversationSnapshot::NumberOf(int record) const {
  if (record < 0 || record >= static_cast<int>(conversation.records.size())) return {};
  return std::string(conversation.records[static_cast<std::size_t>(record)].fields.lineNumber);
}

void ReleaseAside(std::shared_ptr<const ConversationSnapshot> snapshot) {
  if (!snapshot) return;
  QThreadPool::globalInstance()->start([held = std::move(snapshot)]() mutable { held.reset(); });
}

std::shared_ptr<const ConversationSnapshot> TakeSnapshot(const std::string& path) {
  std::string bytes;
  Files files(PosixFileOps());
  if (FileResult r = files.ReadAll(path, bytes); !r) {
    auto s = SnapshotOf({});
    s->error = "Cannot " + r.failure.operation + " " + r.failure.path + ": " + r.failure.Reason();
    return s;
  }
  return SnapshotOf(std::move(bytes));
}

std::shared_ptr<ConversationSnapshot> SnapshotOf(std::string bytes) {
  auto s = std::make_shared<ConversationSnapshot>();
  s->bytes = std::move(bytes);
  // The views point into `bytes`, which stays where it is from here on.
  s->conversation = ReadConversation(std::string_view(s->bytes));
  const Conversation& c = s->conversation;
  for (std::size_t r = 0; r < c.records.size(); ++r)
    if (c.records[r].npc || c.group[r] == -1) s->outlineTop.push_back(static_cast<int>(r));

  s->problems = check::FindProblems(c);
  s->problemRecords.reserve(s->problems.size());
  for (const check::Problem& p : s->problems) {
    // Records stand in file order, so the one on a line is found by halving.
    const auto at = std::lower_bound(c.records.begin(), c.records.end(), p.line,
                                     [](const Record& r, int line) { return r.line < line; });
    s->problemRecords.push_back(at != c.records.end() && at->line == p.line
                                    ? static_cast<int>(at - c.records.begin())
                                    : -1);
  }
  return s;
}

MapPicture LayOutConversation(const ConversationSnapshot& s, int record) {
  MapPicture picture;
  const Conversation& c = s.conversation;
  if (c.records.empty()) return picture;
  const int lines = map::NpcLines(c);
  std::string dot;
  if (lines <= map::kMostLinesDrawn) {
    dot = map::MapDot(c);
  } else {
    // Too long to lay out whole: the lines around the one shown, or around the first.
    picture.around = record >= 0 ? record : 0;
    dot = map::MapDotAround(c, picture.around);
    picture.note =
        "The lines within two replies of line " +
        s.NumberOf(c.group[picture.around] >= 0 ? c.group[picture.around] : picture.around) +
        " (the whole conversation has " + std::to_string(lines) + " NPC lines)";
  }
  std::string error;
  picture.drawn = map::LayOutMap(dot, picture.layout, error);
  if (!picture.drawn) picture.note = "The map could not be laid out: " + error;
  return picture;
}

bool MapServes(const ConversationSnapshot& s, const MapPicture& picture, int record) {
  if (picture.around < 0) return true;
  if (record < 0) return true;  // nothing shown: the map stays where it is
  const auto& group = s.conversation.group;
  const auto npcOf = [&](int r) { return group[static_cast<std::size_t>(r)] >= 0 ? group[r] : r; };
  return npcOf(record) == npcOf(picture.around);
}

}  // namespace dlg::ui
