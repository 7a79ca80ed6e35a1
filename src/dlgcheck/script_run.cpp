// dlgcheck --script: the voice-over script of every file named, written whole.

#include <string>

#include "check/counts.h"
#include "dialogue/quoted_text.h"
#include "dlgcheck/runs.h"

namespace dlg::dlgcheck {

int RunScript(const std::string& script, const std::vector<Input>& inputs, std::ostream& out,
              std::ostream& err, std::string_view lineEnd) {
  int unreadable = 0;
  std::vector<check::ScriptRow> rows;
  std::vector<Loaded> loaded = ReadInputs(inputs, err, unreadable);
  long long words = 0;
  for (const Loaded& l : loaded) {
    check::AppendScriptRows(ReadConversation(l.bytes), l.path, rows);
  }
  for (const check::ScriptRow& r : rows) words += r.words;
  const std::string failed = EndsIn(script, ".xlsx") ? WriteScriptXlsx(script, rows)
                                                     : ReplaceWhole(script, check::ScriptCsv(rows));
  if (!failed.empty()) {
    err << "dlgcheck: cannot write " << NameShown(script) << ": " << failed << "\n";
    return kTrouble;
  }
  const auto counted = [](long long n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
  };
  out << InLineEnds(NameShown(script) + ": " +
                        counted(static_cast<long long>(rows.size()), "wording") + ", " +
                        counted(words, "word") + " from " +
                        counted(static_cast<long long>(loaded.size()), "file") + "\n",
                    lineEnd)
      << std::flush;
  if (!out) {
    err << "dlgcheck: cannot write the summary to standard output\n";
    return kTrouble;
  }
  return unreadable > 0 ? kTrouble : kClean;
}

}  // namespace dlg::dlgcheck
