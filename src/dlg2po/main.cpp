#include <iostream>
#include <string>
#include <vector>

#include "translate/tools_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dlg::translate::RunDlg2po(args, std::cout, std::cerr);
}
