// Drives the editor's commands over the real file system from the command line, for the shell
// tests that need mounts and users a unit test cannot make:
//   hostile_driver load <folder> <file> [edit <text> | newline <number> <text> | undo | save |
//                                        saveas <name> | unload | quit | run <shell command>]...
// Boxes and answers: driver/printing_platform.h.

#include <cstdlib>
#include <iostream>
#include <string>

#include "commands/add_line.h"
#include "commands/editor.h"
#include "commands/open_file.h"
#include "commands/rewrite_working_copy.h"
#include "commands/save_close.h"
#include "commands/undo.h"
#include "driver/printing_platform.h"

namespace {

int Usage() {
  std::cerr << "usage: hostile_driver load <folder> <file> [edit <text> | newline <number> "
               "<text> | undo | save | saveas <name> | unload | quit | run <command>]...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::string(argv[1]) != "load") return Usage();
  dlg::test::PrintingPlatform platform;
  dlg::Editor ed(platform);
  ed.window.fileList.path = argv[2];
  ed.window.fileList.fileName = argv[3];
  dlg::LoadFile(ed);
  for (int i = 4; i < argc; ++i) {
    const std::string op = argv[i];
    const bool takesArgument = op == "edit" || op == "saveas" || op == "run";
    if (takesArgument && i + 1 >= argc) return Usage();
    if (op == "newline") {
      if (i + 2 >= argc) return Usage();
      ed.window.newLineNumber.text = argv[++i];
      dlg::AddLine(ed);
      ed.window.maleText.text = argv[++i];
      dlg::SaveNewLine(ed);
    } else if (op == "edit") {
      ed.window.maleText.text = argv[++i];
      dlg::LeaveFieldBox(ed);
    } else if (op == "undo") {
      dlg::Undo(ed);
    } else if (op == "save") {
      dlg::Save(ed);
    } else if (op == "saveas") {
      platform.inputs.push_back(argv[++i]);
      dlg::SaveAs(ed);
    } else if (op == "unload") {
      dlg::UnloadFile(ed);
    } else if (op == "quit") {
      dlg::Quit(ed);
    } else if (op == "run") {
      std::cout.flush();
      if (int status = std::system(argv[++i]); status != 0) {
        std::cout << "RUN FAILED " << status << ": " << argv[i] << "\n";
      }
    } else {
      return Usage();
    }
  }
  return 0;
}
