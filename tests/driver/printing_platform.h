#pragma once
// The shell driver's platform: prints every message box as "BOX <icon> <title>: <text>" and the
// end of the program as "END", answers every question Yes (the question about a copy found at
// Load too: go on with its text), and takes input box entries from a queue ("" once it is empty).

#include <deque>
#include <iostream>
#include <string>

#include "commands/platform.h"

namespace dlg::test {

class PrintingPlatform : public Platform {
 public:
  std::deque<std::string> inputs;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override {
    const char* name = icon == MsgIcon::Critical      ? "critical"
                       : icon == MsgIcon::Information ? "information"
                       : icon == MsgIcon::Exclamation ? "exclamation"
                                                      : "none";
    std::cout << "BOX " << name << " " << title << ": " << text << "\n";
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
  }
  std::string InputBox(const std::string&, const std::string&) override {
    std::string entry = inputs.empty() ? "" : inputs.front();
    if (!inputs.empty()) inputs.pop_front();
    return entry;
  }
  void EndProgram() override { std::cout << "END\n"; }
};

}  // namespace dlg::test
