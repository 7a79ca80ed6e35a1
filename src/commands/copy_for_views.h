#pragma once
// The working copy read for the views beside the editor (the Conversation window), on their own
// thread: through the editor's file operations, so that the seam that every command reads
// through is the one the views read through, with the reason worded as the editor's box words it.

#include <string>

#include "fileio/file_ops.h"

namespace dlg {

struct CopyForViews {
  std::string bytes;
  std::string error;  // why it could not be read, or ""
};
// `ops` must be safe to call from another thread while the editor goes on (the real ones are).
CopyForViews ReadCopyForViews(FileOps& ops, const std::string& path);

}  // namespace dlg
