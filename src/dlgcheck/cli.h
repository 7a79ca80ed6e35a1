#pragma once
// dlgcheck [--map OUT] [--format text|json] [--ignore CHECK,...] [--werror] FILE...
// Exit status: 0 no file has an error, 1 one has (or a warning with --werror), 2 a file could
// not be read or written, or the command line is wrong.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace dlg {

// `lineEnd` ends the lines of text written to `out`: "\r\n" on Windows, as its tools print them.
// A JSON report keeps its "\n", the same document everywhere.
int RunDlgcheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                std::string_view lineEnd = "\n");

}  // namespace dlg
