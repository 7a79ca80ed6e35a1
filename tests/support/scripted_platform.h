#pragma once
// A Platform for tests: answers Yes/No and input boxes from queues and records every box shown.

#include <deque>
#include <string>
#include <vector>

#include "commands/platform.h"

namespace dlg::test {

struct ShownBox {
  std::string text;
  std::string title;
  MsgButtons buttons;
  MsgIcon icon;
};

inline const char* IconName(MsgIcon icon) {
  return icon == MsgIcon::Critical      ? "critical"
         : icon == MsgIcon::Information ? "information"
         : icon == MsgIcon::Exclamation ? "exclamation"
                                        : "none";
}

class ScriptedPlatform : public Platform {
 public:
  std::deque<MsgAnswer> answers;     // for questions; an empty queue answers No
  std::deque<std::string> inputs;    // for input boxes; an empty queue answers ""
  std::vector<ShownBox> boxes;       // every message box, in order
  std::vector<std::string> prompts;  // every input box prompt
  bool ended = false;

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override {
    boxes.push_back({text, title, buttons, icon});
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    if (answers.empty()) return MsgAnswer::No;
    MsgAnswer a = answers.front();
    answers.pop_front();
    // A Yes/No box has no Cancel: a Cancel queued for it is what its close does, No.
    return a == MsgAnswer::Cancel && buttons == MsgButtons::YesNo ? MsgAnswer::No : a;
  }
  std::string InputBox(const std::string& prompt, const std::string& /*title*/) override {
    prompts.push_back(prompt);
    if (inputs.empty()) return "";
    std::string s = inputs.front();
    inputs.pop_front();
    return s;
  }
  void EndProgram() override { ended = true; }
};

}  // namespace dlg::test
