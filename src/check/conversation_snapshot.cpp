#include "check/conversation_snapshot.h"

#include "check/checks.h"

namespace dlg::check {

int ConversationSnapshot::RecordOf(const std::string& number) const {
  if (number.empty()) return -1;
  const auto& records = conversation.records;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i].Fields().lineNumber == number) return static_cast<int>(i);
  return -1;
}

std::string ConversationSnapshot::NumberOf(int record) const {
  if (record < 0 || record >= static_cast<int>(conversation.records.size())) return {};
  return std::string(conversation.records[static_cast<std::size_t>(record)].Fields().lineNumber);
}

int ConversationSnapshot::NpcOf(int record) const {
  const int npc = conversation.records[static_cast<std::size_t>(record)].group;
  return npc >= 0 ? npc : record;
}

std::shared_ptr<ConversationSnapshot> SnapshotOf(std::string bytes, std::string error) {
  auto s = std::make_shared<ConversationSnapshot>();
  s->bytes = std::move(bytes);
  s->error = std::move(error);
  // The views point into `bytes`, which stays where it is from here on.
  s->conversation = ReadConversation(std::string_view(s->bytes));
  const Conversation& c = s->conversation;
  for (std::size_t r = 0; r < c.records.size(); ++r)
    if (c.records[r].npc || c.records[r].group == -1) s->outlineTop.push_back(static_cast<int>(r));

  s->problems = FindProblems(c);
  s->problemRecords.reserve(s->problems.size());
  for (const Problem& p : s->problems) s->problemRecords.push_back(RecordOnLine(c, p.line));
  return s;
}

}  // namespace dlg::check
