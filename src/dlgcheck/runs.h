#pragma once
// The runs of dlgcheck beside the check: --stats, --script and --textconv. Each reads its files
// through the one reader and returns the exit status; cli.cpp parses the command line.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "check/voice_script.h"
#include "dlgcheck/file_access.h"

namespace dlg::dlgcheck {

inline constexpr int kClean = 0;
inline constexpr int kTrouble = 2;

// Text in the system's line ends, as its own tools print it.
std::string InLineEnds(const std::string& text, std::string_view lineEnd);

struct Loaded {
  std::string path;
  std::string bytes;
};
// The inputs that could be read; each that could not is named on `err` and counted.
std::vector<Loaded> ReadInputs(const std::vector<Input>& inputs, std::ostream& err,
                               int& unreadable);

int RunStats(const std::vector<Input>& inputs, bool json, std::ostream& out, std::ostream& err,
             std::string_view lineEnd);
int RunScript(const std::string& script, const std::vector<Input>& inputs, std::ostream& out,
              std::ostream& err, std::string_view lineEnd);
int RunTextconv(const Input& input, std::ostream& out, std::ostream& err);

// Whether a name ends in `end` (lower case, dot included), in any letter case.
bool EndsIn(const std::string& name, std::string_view end);

// The script as this build writes it: CSV everywhere, XLSX where libxlsxwriter is linked in.
extern const char kScriptHelp[];
// "" when this build writes a script named so, else why not.
std::string ScriptRefusal(const std::string& path);
// "" when `path` holds the workbook of `rows`, else the reason; written whole, as ReplaceWhole.
std::string WriteScriptXlsx(const std::string& path, const std::vector<check::ScriptRow>& rows);

}  // namespace dlg::dlgcheck
