#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "translate/tools_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return dlg::translate::RunDlg2po(args, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {  // a file larger than the memory there is
    std::cerr << "dlg2po: not enough memory\n";
    return 2;
  }
}
