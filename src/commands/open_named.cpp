#include "commands/open_named.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "commands/boxes.h"
#include "commands/browse.h"
#include "commands/file_names.h"
#include "commands/lookup.h"
#include "commands/open_file.h"
#include "commands/save_close.h"

namespace dlg {

namespace {

// Unloads the loaded file as Unload File does; false when the user kept it.
bool NothingLoaded(Editor& ed) {
  if (ed.state.fileLoaded) UnloadFile(ed);
  return !ed.state.fileLoaded;
}

// A file that cannot be loaded (taken away, a link loop, a FIFO since it was listed) is said so
// before the loaded one is given up for it.
bool MayBeLoaded(Editor& ed, const std::string& path) {
  struct stat st {};
  if (const int r = ed.files.Stat(path, st); r < 0) {
    ReportFileError(ed, FileResult::Fail(path, "read", -r).failure);
  } else if (!S_ISREG(st.st_mode)) {
    ReportFileError(ed, FileResult::Refuse(path, "read", kNotRegular).failure);
  } else {
    return true;
  }
  return false;
}

}  // namespace

bool OpenNamedFile(Editor& ed, const std::string& path) {
  std::error_code ec;
  const std::string full = std::filesystem::absolute(path, ec).string();
  // "dlgeditor mod/": a folder named is opened in the lists, its files ready to pick.
  if (struct stat st{}; ed.files.Stat(full, st) == 0 && S_ISDIR(st.st_mode)) {
    ChangeFolder(ed, std::filesystem::canonical(full, ec).string());
    return false;
  }
  // The folder as the system finds it: a ".." after a link leads out of the folder the link
  // names, not back to the link's own, so the path is not made lexically normal first.
  const std::string folder = std::filesystem::canonical(FolderOf(full), ec).string();
  if (ec) {
    ReportFileError(ed, FileResult::Fail(FolderOf(full), "open folder", ec.value()).failure);
    return false;
  }
  ChangeFolder(ed, folder);
  // A folder that could not be listed has been reported; the lists stay where they were.
  if (ed.window.fileList.path != NormalFolder(folder)) return false;
  ed.window.fileList.fileName = NameOf(full);
  LoadFile(ed);
  return ed.state.fileLoaded;
}

RecentOutcome OpenRecentFile(Editor& ed, const std::string& path) {
  struct stat st {};
  if (ed.files.Stat(path, st) == -ENOENT) {
    ShowExclamation(ed, "File Not Found",
                    path + " is no longer there. It has been taken off the list of recent files.");
    return RecentOutcome::Gone;
  }
  if (!MayBeLoaded(ed, path) || !NothingLoaded(ed)) return RecentOutcome::NotLoaded;
  return OpenNamedFile(ed, path) ? RecentOutcome::Loaded : RecentOutcome::NotLoaded;
}

bool GoToLineInFile(Editor& ed, const std::string& path, const std::string& number) {
  const bool loaded = ed.state.fileLoaded && ed.state.dialoguePath == path;
  if (!loaded && (!MayBeLoaded(ed, path) || !NothingLoaded(ed) || !OpenNamedFile(ed, path)))
    return false;
  if (!number.empty()) GoToPickedLine(ed, number);
  return true;
}

void NewDialogue(Editor& ed) {
  std::string name = ed.platform.InputBox(
      "Enter the name for the new .DLG file in " + ed.window.fileList.path + ": ", "New Dialogue");
  if (name.empty()) return;  // cancelled
  if (!IsOneFileName(ed, name, "made")) return;
  if (!EndsInDlg(name)) name += ".dlg";
  const std::string path = JoinPath(ed.window.fileList.path, name);
  if (!LeavesRoomForCopies(ed, path)) return;
  struct stat st {};
  if (const int r = ed.files.Lstat(path, st); r == 0) {
    ShowExclamation(ed, "File Exists", path + " already exists. Please choose another name.");
    return;
  } else if (r != -ENOENT) {
    ReportFileError(ed, FileResult::Fail(path, "write", -r).failure);
    return;
  }
  if (!NothingLoaded(ed)) return;
  // Made new, never over a file that took the name meanwhile.
  if (FileResult r = ed.files.CreateWhole(path, kNewDialogueBytes); !r) {
    if (r.failure.error == EEXIST) {
      ShowExclamation(ed, "File Exists", path + " already exists. Please choose another name.");
    } else {
      ReportFileError(ed, r.failure);
    }
    return;
  }
  OpenNamedFile(ed, path);
}

}  // namespace dlg
