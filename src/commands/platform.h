#pragma once
// What the commands ask of the windowing platform: modal boxes and the end of the program.
// tests/ui/platform_contract_test.cpp holds every implementation to what is said here.

#include <string>

namespace dlg {

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Information, Exclamation };
enum class MsgAnswer { Ok, Yes, No, Cancel };

class Platform {
 public:
  virtual ~Platform() = default;
  // Modal; a Yes/No box can only be closed by Yes or No. Enter, Escape or the title bar's close
  // of a Yes/No/Cancel box answers Cancel.
  virtual MsgAnswer MessageBox(const std::string& text, const std::string& title,
                               MsgButtons buttons, MsgIcon icon) = 0;
  // Modal one-line entry, starting empty; a cancel reads as "".
  virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
  // Ends the program at once: no further handler runs, no window stays.
  virtual void EndProgram() = 0;
};

}  // namespace dlg
