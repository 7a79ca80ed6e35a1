#pragma once
// The counts of `dlgcheck --stats`: a table for people, one JSON document for scripts.

#include <string>
#include <vector>

#include "check/counts.h"

namespace dlg::check {

struct FileCounts {
  std::string path;  // as given, or as found in a folder
  DialogueCounts counts;
};

// One row a file, then the total, columns aligned:
// "FILE  NPC LINES  REPLIES  NPC WORDS M  NPC WORDS F  REPLY WORDS M  REPLY WORDS F".
std::string FormatStatsTable(const std::vector<FileCounts>& files);
// {"files": [{"file", "npc_lines", "replies", "npc_words": {"male", "female"}, "reply_words":
// {...}}, ...], "total": {"files", ...the same counts}, "unreadable": U}
std::string FormatStatsJson(const std::vector<FileCounts>& files, int unreadable);

}  // namespace dlg::check
