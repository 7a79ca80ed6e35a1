#pragma once
// dlgplay [--female] [--int N] [--false CONDITION]... [--from LINE] FILE [REPLY...]
// Exit status: 0 the play ended or waits for a reply, 1 a reply given was not offered or the
// conversation stopped, 2 the file could not be read or the command line is wrong.

#include <ostream>
#include <string>
#include <vector>

namespace dlg {

int RunDlgplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace dlg
