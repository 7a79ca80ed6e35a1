// The file system seam over POSIX. Calls that a signal can interrupt before they did anything
// are retried; a short read or write is returned as it is, for the caller to loop.

#include "fileio/file_ops.h"

#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace dlg {
namespace {

template <typename Call>
auto Retrying(Call call) -> decltype(call()) {
  for (;;) {
    auto r = call();
    if (r >= 0) return r;
    if (errno != EINTR) return -errno;
  }
}

class Posix final : public FileOps {
 public:
  int Open(const std::string& path, int flags, mode_t mode) override {
    return Retrying([&] { return ::open(path.c_str(), flags, mode); });
  }
  ssize_t Read(int fd, void* buf, std::size_t n) override {
    return Retrying([&] { return ::read(fd, buf, n); });
  }
  ssize_t Write(int fd, const void* buf, std::size_t n) override {
    return Retrying([&] { return ::write(fd, buf, n); });
  }
  int Fsync(int fd) override {
    return Retrying([&] { return ::fsync(fd); });
  }
  // Never retried: on Linux the descriptor is gone even when close reports EINTR, and a second
  // close could hit a descriptor that another open has reused.
  int Close(int fd) override { return ::close(fd) == 0 ? 0 : -errno; }
  int Fstat(int fd, struct stat& st) override {
    return Retrying([&] { return ::fstat(fd, &st); });
  }
  int Stat(const std::string& path, struct stat& st) override {
    return Retrying([&] { return ::stat(path.c_str(), &st); });
  }
  int Lstat(const std::string& path, struct stat& st) override {
    return Retrying([&] { return ::lstat(path.c_str(), &st); });
  }
  int Readlink(const std::string& path, std::string& target) override {
    // The link text can be longer than any guess; grow until it fits with room to spare.
    std::vector<char> buf(256);
    for (;;) {
      ssize_t n = Retrying([&] { return ::readlink(path.c_str(), buf.data(), buf.size()); });
      if (n < 0) return static_cast<int>(n);
      if (static_cast<std::size_t>(n) < buf.size()) {
        target.assign(buf.data(), static_cast<std::size_t>(n));
        return 0;
      }
      buf.resize(buf.size() * 2);
    }
  }
  int RealPath(const std::string& path, std::string& resolved) override {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return -errno;
    resolved = real;
    std::free(real);
    return 0;
  }
  int Fchmod(int fd, mode_t mode) override {
    return Retrying([&] { return ::fchmod(fd, mode); });
  }
  int Fchown(int fd, uid_t uid, gid_t gid) override {
    return Retrying([&] { return ::fchown(fd, uid, gid); });
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Retrying([&] { return ::rename(from.c_str(), to.c_str()); });
  }
  int RenameNoReplace(const std::string& from, const std::string& to) override {
    int r = Retrying([&] {
      return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    });
    if (r != -EINVAL && r != -ENOSYS) return r;
    // A file system that cannot rename without replacing can still refuse a second name.
    r = Retrying([&] { return ::link(from.c_str(), to.c_str()); });
    if (r < 0) return r;
    return Unlink(from);
  }
  int Unlink(const std::string& path) override {
    return Retrying([&] { return ::unlink(path.c_str()); });
  }
  int ListFolder(const std::string& path, std::vector<std::string>& names) override {
    names.clear();
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) return -errno;
    int r = 0;
    for (;;) {
      errno = 0;
      const dirent* entry = ::readdir(folder);
      if (entry == nullptr) {
        r = -errno;
        break;
      }
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(folder);
    return r;
  }
  int ProcessAlive(pid_t pid) override {
    // EPERM: it runs, under another user.
    if (::kill(pid, 0) == 0 || errno == EPERM) return 1;
    return errno == ESRCH ? 0 : -errno;
  }
  int BindLock(const std::string& name) override {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // An abstract name: it starts with a zero byte and lives in no folder.
    if (name.size() >= sizeof address.sun_path) return -ENAMETOOLONG;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -errno;
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) < 0) {
      const int error = errno;
      ::close(fd);
      return -error;
    }
    return fd;
  }
};

}  // namespace

FileOps& PosixFileOps() {
  static Posix ops;
  return ops;
}

}  // namespace dlg
