#pragma once
// The shell driver's platform: prints every message box as "BOX <icon> <title>: <text>" and the
// end of the program as "END", answers every question Yes (the question about a copy found at
// Load too: go on with its text), and takes input box entries from a queue ("" once it is empty).

#include <iostream>
#include <string>

#include "support/scripted_platform.h"

namespace dlg::test {

class PrintingPlatform : public ScriptedPlatform {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override {
    std::cout << "BOX " << IconName(icon) << " " << title << ": " << text << "\n";
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
  }
  void EndProgram() override { std::cout << "END\n"; }
};

}  // namespace dlg::test
