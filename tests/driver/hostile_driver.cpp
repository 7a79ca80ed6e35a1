// Drives the editor's commands over the real file system from the command line, for the shell
// tests that need mounts and users a unit test cannot make:
//   hostile_driver load <folder> <file> [edit <text> | newline <number> <text> | save |
//                                        saveas <name> | unload | quit | run <shell command>]...
// Every message box is printed as "BOX <icon> <title>: <text>"; questions are answered Yes (the
// question about a copy found at Load too: go on with its text).

#include <cstdlib>
#include <deque>
#include <iostream>
#include <string>

#include "commands/editor.h"

namespace {

class PrintingPlatform : public dlg::Platform {
 public:
  std::deque<std::string> inputs;

  dlg::MsgAnswer MessageBox(const std::string& text, const std::string& title,
                            dlg::MsgButtons buttons, dlg::MsgIcon icon) override {
    const char* name = icon == dlg::MsgIcon::Critical      ? "critical"
                       : icon == dlg::MsgIcon::Information ? "information"
                       : icon == dlg::MsgIcon::Exclamation ? "exclamation"
                                                           : "none";
    std::cout << "BOX " << name << " " << title << ": " << text << "\n";
    return buttons == dlg::MsgButtons::Ok ? dlg::MsgAnswer::Ok : dlg::MsgAnswer::Yes;
  }
  std::string InputBox(const std::string&, const std::string&) override {
    std::string entry = inputs.empty() ? "" : inputs.front();
    if (!inputs.empty()) inputs.pop_front();
    return entry;
  }
  void EndProgram() override { std::cout << "END\n"; }
};

int Usage() {
  std::cerr << "usage: hostile_driver load <folder> <file> [edit <text> | newline <number> "
               "<text> | save | saveas <name> | unload | quit | run <command>]...\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || std::string(argv[1]) != "load") return Usage();
  PrintingPlatform platform;
  dlg::Editor ed(platform);
  ed.window.File1.path = argv[2];
  ed.window.File1.fileName = argv[3];
  dlg::Command2_Click(ed);
  for (int i = 4; i < argc; ++i) {
    const std::string op = argv[i];
    const bool takesArgument = op == "edit" || op == "saveas" || op == "run";
    if (takesArgument && i + 1 >= argc) return Usage();
    if (op == "newline") {
      if (i + 2 >= argc) return Usage();
      ed.window.txtaddline.text = argv[++i];
      dlg::cmdaddline_Click(ed);
      ed.window.txtDialogue.text = argv[++i];
      dlg::cmdsaveline_Click(ed);
    } else if (op == "edit") {
      ed.window.txtDialogue.text = argv[++i];
      dlg::FieldBox_LostFocus(ed);
    } else if (op == "save") {
      dlg::Commandsave_Click(ed);
    } else if (op == "saveas") {
      platform.inputs.push_back(argv[++i]);
      dlg::Command9_Click(ed);
    } else if (op == "unload") {
      dlg::Command8_Click(ed);
    } else if (op == "quit") {
      dlg::Command6_Click(ed);
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
