#pragma once
// One editor per dialogue file. The lock belongs to the place of the file's working copy, its
// folder (device and inode, by whatever path it is reached) and the file's name in it, not to
// the file itself: a file that another program renames over the loaded one, or that a save puts
// in its place, is under the same lock from the first moment. A symbolic link is also locked
// where it leads, so that both names of one file meet one lock. The lock is a name bound for
// the life of a descriptor (FileOps::BindLock): it dies with its process, so a killed editor
// never blocks the next one, and it leaves no file anywhere.

#include <string>

#include "fileio/file_ops.h"
#include "fileio/file_result.h"

namespace dlg {

class FileLock {
 public:
  FileLock() = default;
  FileLock(FileLock&& other) noexcept { *this = std::move(other); }
  FileLock& operator=(FileLock&& other) noexcept;
  ~FileLock() { Release(); }

  // Takes the lock of the dialogue file `path` without waiting. On failure the error is
  // EADDRINUSE when another editor holds it; a folder that cannot be looked at is a "read" of
  // `path` that failed.
  static FileResult Take(FileOps& ops, const std::string& path, FileLock& lock);

  // A close that fails has let the lock go all the same.
  void Release();

 private:
  FileOps* ops_ = nullptr;
  int fds_[2] = {-1, -1};  // the file's place, and where its link leads
};

}  // namespace dlg
