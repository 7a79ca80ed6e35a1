// The one place where a failed file operation reaches the user.

#include "commands/editor.h"

namespace dlg {

void ReportFileError(Editor& ed, const FileError& error) {
  ed.platform.MessageBox("Cannot " + error.operation + " " + error.path + ": " + error.Reason(),
                         "File Error", MsgButtons::Ok, MsgIcon::Critical);
}

}  // namespace dlg
