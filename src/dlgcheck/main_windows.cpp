// dlgcheck.exe. The arguments come as UTF-16 (wmain), so that every name opens whatever the
// ANSI code page. Standard output is binary: the run ends text lines with CR LF itself and
// writes JSON byte for byte as on Linux. Standard error stays in text mode, where the C runtime
// ends its lines with CR LF.

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "dlgcheck/cli.h"
#include "dlgcheck/wide_text.h"

// Names reach the program as typed: cmd.exe expands no wildcards, and neither does the runtime.
int _dowildcard = 0;

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.push_back(dlg::dlgcheck::Utf8FromUtf16(reinterpret_cast<const char16_t*>(argv[i])));
  }
  return dlg::RunDlgcheck(args, std::cout, std::cerr, "\r\n");
}
