#pragma once
// The one seam between the program and the file system: thin wrappers of the system calls that
// the file layer makes, and nothing reaches the file system around it. The real implementation
// calls POSIX; tests put a failing one in its place to inject faults call by call.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <vector>

namespace dlg {

// A file opened for reading: without waiting for a writer (a FIFO), never as the controlling
// terminal, closed across exec.
inline constexpr int kOpenToRead = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
// A file made new: never over one that exists, never through a link.
inline constexpr int kCreateNew = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// Every call returns its result like the system call it wraps, except that a failure returns
// -errno instead of -1 (so a fault injector need not touch errno).
class FileOps {
 public:
  virtual ~FileOps() = default;
  virtual int Open(const std::string& path, int flags, mode_t mode) = 0;
  virtual ssize_t Read(int fd, void* buf, std::size_t n) = 0;
  virtual ssize_t Write(int fd, const void* buf, std::size_t n) = 0;
  virtual int Fsync(int fd) = 0;
  virtual int Close(int fd) = 0;
  virtual int Fstat(int fd, struct stat& st) = 0;
  virtual int Stat(const std::string& path, struct stat& st) = 0;
  virtual int Lstat(const std::string& path, struct stat& st) = 0;
  // Fills `target` with the text of a symbolic link.
  virtual int Readlink(const std::string& path, std::string& target) = 0;
  // Fills `resolved` with the absolute path of `path` through every link, "." and "..".
  virtual int RealPath(const std::string& path, std::string& resolved) = 0;
  virtual int Fchmod(int fd, mode_t mode) = 0;
  virtual int Fchown(int fd, uid_t uid, gid_t gid) = 0;
  virtual int Rename(const std::string& from, const std::string& to) = 0;
  // Renames `from` to `to` only while no file is there: -EEXIST when one is.
  virtual int RenameNoReplace(const std::string& from, const std::string& to) = 0;
  virtual int Unlink(const std::string& path) = 0;
  // Fills `names` with the names in a folder, "." and ".." left out.
  virtual int ListFolder(const std::string& path, std::vector<std::string>& names) = 0;
  // 1 while the process `pid` runs, 0 once it is gone; -errno when that cannot be told.
  virtual int ProcessAlive(pid_t pid) = 0;
  // Binds the lock called `name` for as long as the descriptor returned is open (Close lets it
  // go): a local socket of that name, which no other descriptor can bind meanwhile
  // (-EADDRINUSE) and which goes with the process, leaving nothing behind. Its names are shared
  // by the processes of one network namespace.
  virtual int BindLock(const std::string& name) = 0;
};

// The real file system.
FileOps& PosixFileOps();

}  // namespace dlg
