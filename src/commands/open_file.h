#pragma once
// "Load File" and "Go to 1": the first record and the list of used numbers, read from the
// dialogue file or from the working copy.

#include <string>

#include "commands/editor.h"
#include "dialogue/char_source.h"

namespace dlg {

void LoadFile(Editor& ed);       // "Load File"
void GoToFirstLine(Editor& ed);  // "Go to 1"
// The controls of the file-loaded state (Load File, "Go to 1") or of the no-file state (Unload).
void SetFileLoadedControls(EditorWindow& w, bool loaded);
// The first-record read and the used-number scan, over an open file.
void FirstRecordRead(CharSource& src, Char& currentChar, EditorState& st, EditorWindow& w);
void UsedNumberScan(CharSource& src, EditorState& st, EditorWindow& w);
// After a write that took numbers out or put new ones in: the list made again by Load File's
// scan, from the working copy's bytes in the read buffer.
void ListUsedNumbersAgain(Editor& ed);
// After a write that changed lines, with the read buffer holding what it wrote: the line of
// that number shown, or for "" the first record (an empty view for an empty copy). Nothing is
// read again, so a failure that the write reported is the only box.
void ShowLineAfterWrite(Editor& ed, const std::string& number);

}  // namespace dlg
