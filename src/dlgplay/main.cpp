#include <iostream>
#include <string>
#include <vector>

#include "dlgplay/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return dlg::RunDlgplay(args, std::cout, std::cerr);
}
