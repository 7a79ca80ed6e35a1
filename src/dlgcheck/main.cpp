#include <iostream>
#include <string>
#include <vector>

#include "dlgcheck/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dlg::RunDlgcheck(args, std::cout, std::cerr);
}
