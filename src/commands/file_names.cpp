#include "commands/file_names.h"

#include <climits>

#include "commands/boxes.h"
#include "commands/editor_state.h"
#include "fileio/paths.h"

namespace dlg {

bool IsOneFileName(Editor& ed, const std::string& entry, const std::string& made) {
  if (entry.find('/') == std::string::npos && entry != "." && entry != "..") return true;
  ShowExclamation(
      ed, "Not a File Name",
      "\"" + entry + "\" is not a file name: the file is " + made + " in the folder shown.");
  return false;
}

bool LeavesRoomForCopies(Editor& ed, const std::string& path) {
  // The working and scratch copies add their ends; temporary names are cut to fit.
  const std::string name = NameOf(path);
  if (name.size() + kWorkingCopyEnd.size() <= NAME_MAX) return true;
  ShowExclamation(ed, "File Name Too Long",
                  "The name " + name +
                      " is too long: the editor keeps a working copy beside the "
                      "file under its name and \"" +
                      std::string(kWorkingCopyEnd) + "\", and a name may have at most " +
                      std::to_string(NAME_MAX) + " bytes. Please choose a shorter name.");
  return false;
}

}  // namespace dlg
