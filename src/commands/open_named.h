#pragma once
// Files opened by name rather than picked in the file list: from the command line, from Open
// Recent, and a new dialogue file made on the spot. Each moves the lists to the file's folder
// with the file selected and loads it as Load File does, its questions included.

#include <string>

#include "commands/editor.h"

namespace dlg {

// `path` absolute or relative to the current folder. False when the file did not load.
bool OpenNamedFile(Editor& ed, const std::string& path);

enum class RecentOutcome { Loaded, NotLoaded, Gone };
// A file of the recent list: the loaded file, if any, is unloaded first as Unload File does (an
// answer that keeps it stops here too). A file that is gone is not loaded, and the user told.
RecentOutcome OpenRecentFile(Editor& ed, const std::string& path);

// A line of a file picked in a list of the whole mod: in the loaded file it is gone to as "Go
// to:" goes there; another file is loaded first, the loaded one unloaded as Unload File does (an
// answer that keeps it stops here). An empty `number` loads the file only. True when the file is
// the one loaded now.
bool GoToLineInFile(Editor& ed, const std::string& path, const std::string& number);

// File > New Dialogue: asks for a name in the folder shown, makes the file with one empty NPC
// line and loads it, unloading the loaded file first. An existing name is refused.
void NewDialogue(Editor& ed);

// The record a new dialogue file starts with.
inline constexpr char kNewDialogueBytes[] = "{1}{}{}{}{}{}{}\r\n";

}  // namespace dlg
