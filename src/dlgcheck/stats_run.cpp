// dlgcheck --stats: the lines and words of each file and of all.

#include "check/stats_report.h"
#include "dlgcheck/runs.h"

namespace dlg::dlgcheck {

int RunStats(const std::vector<Input>& inputs, bool json, std::ostream& out, std::ostream& err,
             std::string_view lineEnd) {
  int unreadable = 0;
  std::vector<check::FileCounts> counts;
  for (const Loaded& l : ReadInputs(inputs, err, unreadable)) {
    counts.push_back({l.path, check::CountDialogue(ReadConversation(l.bytes))});
  }
  out << (json ? check::FormatStatsJson(counts, unreadable)
               : InLineEnds(check::FormatStatsTable(counts), lineEnd))
      << std::flush;
  if (!out) {
    err << "dlgcheck: cannot write the counts to standard output\n";
    return kTrouble;
  }
  return unreadable > 0 ? kTrouble : kClean;
}

}  // namespace dlg::dlgcheck
