// The script where libxlsxwriter is not linked in (the Windows zip ships one file with no DLL
// beside it): CSV only, which every spreadsheet opens.

#include "dlgcheck/runs.h"

namespace dlg::dlgcheck {

const char kScriptHelp[] =
    "  --script OUT.csv   write the voice-over script of every FILE as CSV\n";

std::string ScriptRefusal(const std::string& path) {
  if (!EndsIn(path, ".xlsx")) return {};
  return "the script '" + path +
         "' needs the Linux build of dlgcheck; this one writes CSV: " + "--script " +
         path.substr(0, path.size() - 5) + ".csv";
}

std::string WriteScriptXlsx(const std::string&, const std::vector<check::ScriptRow>&) {
  return "this build writes no XLSX";  // ScriptRefusal refuses the name first
}

}  // namespace dlg::dlgcheck
