// The message boxes of the commands, in one place so that each kind looks the same wherever it
// is shown. The texts of the boxes, captions and labels are the program's own, written where
// they are shown, misspellings included ("Oberwrite?", "0 is reserverd", "Executuion Flags:"):
// users, their notes and their scripts know them by those words.

#include "commands/boxes.h"

namespace dlg {

void ShowOk(Editor& ed, const std::string& title, const std::string& text) {
  ed.platform.MessageBox(text, title, MsgButtons::Ok, MsgIcon::None);
}

void ShowCritical(Editor& ed, const std::string& title, const std::string& text) {
  ed.platform.MessageBox(text, title, MsgButtons::Ok, MsgIcon::Critical);
}

bool Confirmed(Editor& ed, const std::string& title, const std::string& text) {
  return ed.platform.MessageBox(text, title, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes;
}

void ShowExclamation(Editor& ed, const std::string& title, const std::string& text) {
  AskExclamation(ed, title, text, MsgButtons::Ok);
}

MsgAnswer AskExclamation(Editor& ed, const std::string& title, const std::string& text,
                         MsgButtons buttons) {
  return ed.platform.MessageBox(text, title, buttons, MsgIcon::Exclamation);
}

void ShowSelectFile(Editor& ed) {
  ShowOk(ed, "Select a .DLG file", "Please select a dialogue (*.DLG) file");
}

void ShowEmptyNumber(Editor& ed) { ShowOk(ed, "Empty Line Number", "Please Enter a Line Number"); }

void ShowReservedNumber(Editor& ed) {
  ShowOk(ed, "0 is reserverd", "0 is a Reserved Number and Cannot be Added");
}

void ShowLineExists(Editor& ed) {
  ShowLineExists(ed, "The line already exists, please enter a different number");
}

void ShowLineExists(Editor& ed, const std::string& text) {
  ShowCritical(ed, "Line Already Exists", text);
}

void ShowCannotReach(Editor& ed, const std::string& note) {
  ed.platform.MessageBox(note, "Line Cannot Be Reached", MsgButtons::Ok, MsgIcon::Information);
}

void ShowFileInUse(Editor& ed, const std::string& path) {
  ShowExclamation(ed, "File In Use",
                  path + " is open in another editor window. Unload it there first.");
}

std::string FileErrorText(const FileError& error) {
  std::string text = "Cannot ";
  text.append(error.operation).append(" ").append(error.path).append(": ").append(error.Reason());
  return text;
}

void ReportFileError(Editor& ed, const FileError& error) {
  ShowCritical(ed, "File Error", FileErrorText(error));
}

}  // namespace dlg
