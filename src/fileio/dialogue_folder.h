#pragma once
// The dialogue files of a mod: every ".dlg" at and below a folder, in the order a reader of the
// folder tree expects. The checker's folder arguments and the work across a mod's files walk the
// same way, so that both see the same files.

#include <string>
#include <vector>

#include "fileio/file_ops.h"
#include "fileio/file_result.h"
#include "fileio/paths.h"

namespace dlg {

struct FoundFile {
  std::string path;   // `folder` joined with the names below it
  FileResult listed;  // a failure names a folder that could not be listed, not a file
};

// Every dialogue file at and below `folder`, sorted by PathBefore, with each folder that could not
// be listed in its place. Links to files are taken; links to folders and hidden folders (".git")
// are not entered, so that no walk loops or wanders into a tool's own store.
std::vector<FoundFile> DialoguesBelow(FileOps& ops, const std::string& folder);

}  // namespace dlg
