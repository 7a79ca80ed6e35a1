#include "check/stats_report.h"

#include <algorithm>
#include <array>

#include "check/report.h"

namespace dlg::check {

namespace {

constexpr std::array<const char*, 7> kHeads = {
    "FILE", "NPC LINES", "REPLIES", "NPC WORDS M", "NPC WORDS F", "REPLY WORDS M", "REPLY WORDS F"};

std::array<std::string, 7> Cells(const std::string& name, const DialogueCounts& n) {
  return {name,
          std::to_string(n.npcLines),
          std::to_string(n.replies),
          std::to_string(n.npcWords.male),
          std::to_string(n.npcWords.female),
          std::to_string(n.replyWords.male),
          std::to_string(n.replyWords.female)};
}

// Characters as a terminal shows them: a path in UTF-8 takes one column a code point.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string CountsJson(const DialogueCounts& n) {
  auto pair = [](const WordCounts& w) {
    return "{\"male\": " + std::to_string(w.male) + ", \"female\": " + std::to_string(w.female) +
           "}";
  };
  return "\"npc_lines\": " + std::to_string(n.npcLines) +
         ", \"replies\": " + std::to_string(n.replies) + ", \"npc_words\": " + pair(n.npcWords) +
         ", \"reply_words\": " + pair(n.replyWords);
}

}  // namespace

std::string FormatStatsTable(const std::vector<FileCounts>& files) {
  std::vector<std::array<std::string, 7>> rows;
  rows.reserve(files.size() + 2);
  std::array<std::string, 7> head;
  std::copy(kHeads.begin(), kHeads.end(), head.begin());
  rows.push_back(head);
  DialogueCounts total;
  for (const FileCounts& f : files) {
    rows.push_back(Cells(NameShown(f.path), f.counts));
    total += f.counts;
  }
  rows.push_back(
      Cells("total of " + std::to_string(files.size()) + (files.size() == 1 ? " file" : " files"),
            total));
  std::array<std::size_t, 7> widths{};
  for (const auto& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], Width(row[i]));
  }
  std::string out;
  for (const auto& row : rows) {
    std::string line = row[0] + std::string(widths[0] - Width(row[0]), ' ');
    for (std::size_t i = 1; i < row.size(); ++i) {
      line += std::string(2 + widths[i] - row[i].size(), ' ') + row[i];  // numbers to the right
    }
    out += line + "\n";
  }
  return out;
}

std::string FormatStatsJson(const std::vector<FileCounts>& files, int unreadable) {
  std::string out = "{\"files\": [";
  const char* sep = "\n  ";
  DialogueCounts total;
  for (const FileCounts& f : files) {
    out += sep;
    sep = ",\n  ";
    out += "{\"file\": " + JsonString(f.path) + ", " + CountsJson(f.counts) + "}";
    total += f.counts;
  }
  out += files.empty() ? "]" : "\n]";
  out += ", \"total\": {\"files\": " + std::to_string(files.size()) + ", " + CountsJson(total) +
         "}, \"unreadable\": " + std::to_string(unreadable) + "}\n";
  return out;
}

}  // namespace dlg::check
