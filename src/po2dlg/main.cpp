#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "translate/tools_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  // A closed standard input is an error to "-", not an empty catalogue.
  if (::fcntl(STDIN_FILENO, F_GETFD) == -1) std::cin.setstate(std::ios::badbit);
  try {
    return dlg::translate::RunPo2dlg(args, std::cin, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {  // a file larger than the memory there is
    std::cerr << "po2dlg: not enough memory\n";
    return 2;
  }
}
