// dlgcheck --textconv: one dialogue as text for git's diff, in "\n" line ends on every system,
// as git reads a textconv's output.

#include "check/record_text.h"
#include "dlgcheck/runs.h"

namespace dlg::dlgcheck {

int RunTextconv(const Input& input, std::ostream& out, std::ostream& err) {
  int unreadable = 0;
  const std::vector<Loaded> loaded = ReadInputs({input}, err, unreadable);
  if (loaded.empty()) return kTrouble;
  out << check::RecordText(ReadConversation(loaded[0].bytes)) << std::flush;
  if (!out) {
    err << "dlgcheck: cannot write the text to standard output\n";
    return kTrouble;
  }
  return kClean;
}

}  // namespace dlg::dlgcheck
