#pragma once
// The message boxes of the commands, each kind looking the same wherever it is shown.

#include <string>

#include "commands/editor.h"

namespace dlg {

void ShowOk(Editor& ed, const std::string& title, const std::string& text);  // no icon
void ShowCritical(Editor& ed, const std::string& title, const std::string& text);
bool Confirmed(Editor& ed, const std::string& title, const std::string& text);  // Yes/No
// The boxes that guard the user's work: exclamation icon, OK or the buttons given.
void ShowExclamation(Editor& ed, const std::string& title, const std::string& text);
MsgAnswer AskExclamation(Editor& ed, const std::string& title, const std::string& text,
                         MsgButtons buttons);
void ShowSelectFile(Editor& ed);  // no file picked in the file list
// The refusals of a number typed for a line: none, "0", or one that a line has already.
void ShowEmptyNumber(Editor& ed);
void ShowReservedNumber(Editor& ed);
void ShowLineExists(Editor& ed);
void ShowLineExists(Editor& ed, const std::string& text);
// A row of a list names a record that "Go to:" never shows; `note` says why.
void ShowCannotReach(Editor& ed, const std::string& note);
// `path` is loaded in another editor, which Load File and Save As leave to it.
void ShowFileInUse(Editor& ed, const std::string& path);
// A failed file operation: critical icon, file, operation and reason.
void ReportFileError(Editor& ed, const FileError& error);
// The text of that box: "Cannot <operation> <file>: <reason>".
std::string FileErrorText(const FileError& error);

}  // namespace dlg
