#pragma once
// The file that a rename replaces, kept open through the rename and the flush of its folder and
// closed afterwards on a thread of its own. The kernel frees a file's blocks when its last name
// and its last descriptor are gone: inside the rename, that is tens of milliseconds for a file
// of 125 MB which the user would wait for, and a folder flush running beside the freeing waits
// for it too; after both, nobody does. The file has no name by then, so nothing is left behind
// should the program end first: its descriptors close with it.

#include <sys/stat.h>

#include <string>

#include "fileio/file_ops.h"
#include "fileio/worker.h"

namespace dlg {

class LateClose {
 public:
  explicit LateClose(FileOps& ops) : ops_(ops) {}

  // Opens `path` for holding when `old` (its status, or nullptr for no file) says freeing it
  // would take long; -1 otherwise, or when it cannot be opened (then the rename frees it).
  int Hold(const std::string& path, const struct stat* old);
  // Closes a held descriptor (-1: none) on the closing thread. What is handed over is closed by
  // the time this object is gone.
  void Close(int fd);
  // Waits until every descriptor handed over is closed.
  void Settle();

 private:
  FileOps& ops_;
  Worker closer_;
};

}  // namespace dlg
