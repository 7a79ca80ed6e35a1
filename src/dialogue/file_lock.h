#pragma once
// An exclusive lock on a file, held through an open descriptor of the file itself: every path
// and link to it meets the same lock, and the lock dies with its process, so a killed editor
// never blocks the next one. No lock file is left anywhere. Only taking the lock goes through
// the file seam; letting it go is no file operation that could lose a byte.

#include <string>
#include <utility>

#include "dialogue/file_ops.h"

namespace dlg {

class FileLock {
 public:
  FileLock() = default;
  FileLock(FileOps& ops, int fd) : ops_(&ops), fd_(fd) {}
  FileLock(FileLock&& other) noexcept { *this = std::move(other); }
  FileLock& operator=(FileLock&& other) noexcept {
    if (this != &other) {
      Release();
      ops_ = std::exchange(other.ops_, nullptr);
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~FileLock() { Release(); }

  // Takes the lock on an open descriptor without waiting; -EWOULDBLOCK when another holds it.
  static int Take(FileOps& ops, int fd, FileLock& lock);
  // Moves the lock to the file now at `path` (a save put a new file there); kept as it was when
  // that cannot be had.
  void MoveTo(const std::string& path);

  bool Held() const { return fd_ >= 0; }
  int Fd() const { return fd_; }
  void Release();

 private:
  FileOps* ops_ = nullptr;
  int fd_ = -1;
};

}  // namespace dlg
