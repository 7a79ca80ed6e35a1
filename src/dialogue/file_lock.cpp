#include "dialogue/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dlg {

int FileLock::Take(FileOps& ops, int fd, FileLock& lock) {
  int r = ops.Flock(fd, LOCK_EX | LOCK_NB);
  if (r < 0) return r;
  lock = FileLock(ops, fd);
  return 0;
}

void FileLock::MoveTo(const std::string& path) {
  if (ops_ == nullptr) return;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  if (ops_->Flock(fd, LOCK_EX | LOCK_NB) < 0) {
    ::close(fd);
    return;
  }
  Release();
  fd_ = fd;
}

void FileLock::Release() {
  // Closing the descriptor drops the lock.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace dlg
