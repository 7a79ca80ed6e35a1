// The one place where a failed file operation reaches the user.

#include "commands/editor.h"

namespace dlg {

void ReportFileError(Editor& ed, const FileError& error) {
  std::string text = "Cannot ";
  text.append(error.operation).append(" ").append(error.path).append(": ").append(error.Reason());
  ed.platform.MessageBox(text, "File Error", MsgButtons::Ok, MsgIcon::Critical);
}

}  // namespace dlg
