#pragma once
// The dialogue files of a mod: every ".dlg" in a folder and the folders below it.

#include <string>
#include <vector>

#include "fileio/file_ops.h"

namespace dlg::mod {

// Fills `files` with the paths below `folder` (relative to it, "/" between names) of every
// regular file whose name ends in ".dlg", letter case ignored, sorted. Links are not followed.
// "" when the folder could be walked, else the reason; folders below it that cannot be listed
// are left out.
std::string DialoguesBelow(FileOps& ops, const std::string& folder,
                           std::vector<std::string>& files);

}  // namespace dlg::mod
