#pragma once
// The command lines of dlg2po and po2dlg, as libraries so that their tests call them as main
// does. Exit status: 0 written, 2 refused, a file that could not be read or written, or a wrong
// command line; nothing is written then.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace dlg::translate {

// dlg2po [-P] [--language LL] SOURCE.dlg OUT.po
// dlg2po -t SOURCE.dlg [--language LL] TRANSLATED.dlg OUT.po
int RunDlg2po(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// po2dlg -t SOURCE.dlg IN.po OUT.dlg [--fuzzy] [--ignore-unknown]; IN.po "-" is read from in.
int RunPo2dlg(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err);

}  // namespace dlg::translate
