#pragma once
// The windowing platform that the commands call: message and input boxes drawn by Qt, and the
// end of the program.

#include "commands/platform.h"

namespace dlg::ui {

class QtPlatform : public Platform {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                       MsgIcon icon) override;
  // The entry is a file name, so it comes back as UTF-8.
  std::string InputBox(const std::string& prompt, const std::string& title) override;
  // Hides every window and leaves the event loop; the windows run no handler after it.
  void EndProgram() override;
};

// True once EndProgram has run.
bool ProgramEnded();

}  // namespace dlg::ui
