#pragma once
// The drive, folder and file lists on a POSIX system: drives are mount points, folders a tree.

#include <string>
#include <vector>

#include "commands/controls.h"
#include "fileio/file_result.h"
#include "fileio/paths.h"

namespace dlg {

struct Editor;

// The mounted file systems worth browsing, by mount path, "/" first.
std::vector<std::string> ListDrives();
// The drive (mount path) that holds `path`.
std::string DriveOf(const std::vector<std::string>& drives, const std::string& path);
// The folder's absolute, normal form without a trailing "/" (except the root).
std::string NormalFolder(const std::string& path);

// Lists `folder` into the folder and file lists; on failure they are left as they were.
FileResult ShowFolder(const std::string& folder, FolderList& dir, FileList& file);

void StartUp(Editor& ed);  // start-up: no file, lists on the current folder
// The user picked a drive or a folder. The lists move there, or stay where they were (with a
// message) when it cannot be read.
void ChangeDrive(Editor& ed, const std::string& drive);
void ChangeFolder(Editor& ed, const std::string& path);

// The folder list's rows: the ancestors of the folder from "/" down, each a step further in, then
// the folder's sub-folders one step further again.
std::vector<std::string> FolderRows(const FolderList& dir);
// The user opened a row of the folder list, or picked a row of the drive list; a row past the
// end picks nothing.
void OpenFolderRow(Editor& ed, int row);
void PickDriveRow(Editor& ed, int row);

}  // namespace dlg
