#pragma once
// Names typed for a file to be made in the folder shown, by New Dialogue and Save As.

#include <string>

#include "commands/editor.h"

namespace dlg {

// One name, no folder: an entry with a "/", or "." or "..", is refused with a box that says
// the file is `made` ("made", "saved") in the folder shown.
bool IsOneFileName(Editor& ed, const std::string& entry, const std::string& made);

// A dialogue file needs room for its working copy's name beside it: a name too long for that is
// refused with a box that says so. `path` is the whole path of the dialogue file to be.
bool LeavesRoomForCopies(Editor& ed, const std::string& path);

}  // namespace dlg
