#pragma once
// The drive, folder and file lists on a POSIX system: drives are mount points, folders a tree.

#include <string>
#include <vector>

#include "commands/controls.h"
#include "dialogue/files.h"

namespace dlg {

// The mounted file systems worth browsing, by mount path, "/" first.
std::vector<std::string> ListDrives();
// The drive (mount path) that holds `path`.
std::string DriveOf(const std::vector<std::string>& drives, const std::string& path);
// The folder's absolute, normal form without a trailing "/" (except the root).
std::string NormalFolder(const std::string& path);
// "/" + ... : `folder` joined with a name by one "/".
std::string JoinPath(const std::string& folder, const std::string& name);

// Lists `folder` into the folder and file lists; on failure they are left as they were.
FileResult ShowFolder(const std::string& folder, FolderList& dir, FileList& file);

}  // namespace dlg
