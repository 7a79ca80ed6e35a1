#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "dlgcheck/cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return dlg::RunDlgcheck(args, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {  // a file larger than the memory there is
    std::cerr << "dlgcheck: not enough memory\n";
    return 2;
  }
}
