#include "fileio/file_lock.h"

#include <sys/un.h>

#include <cstdio>
#include <utility>

#include "fileio/file_identity.h"
#include "fileio/paths.h"

namespace dlg {
namespace {

// "ashgloam-dlg/<folder's device>/<folder's inode>/=<name>"; a name too long for a socket's
// name (107 bytes) goes by its hash, marked "#" so that it never meets a name of that form.
FileResult LockName(FileOps& ops, const std::string& path, std::string& name) {
  struct stat st {};
  if (const int r = ops.Stat(FolderOf(path), st); r < 0) {
    return FileResult::Fail(path, "read", -r);
  }
  char head[64];
  std::snprintf(head, sizeof head, "ashgloam-dlg/%llx/%llx/",
                static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  const std::string file = NameOf(path);
  name = head;
  if (name.size() + 1 + file.size() < sizeof(sockaddr_un::sun_path)) {
    name += "=" + file;
  } else {
    char hash[20];
    std::snprintf(hash, sizeof hash, "#%016llx", static_cast<unsigned long long>(HashOf(file)));
    name += hash;
  }
  return FileResult::Ok();
}

}  // namespace

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    ops_ = other.ops_;
    for (int i = 0; i < 2; ++i) fds_[i] = std::exchange(other.fds_[i], -1);
  }
  return *this;
}

FileResult FileLock::Take(FileOps& ops, const std::string& path, FileLock& lock) {
  std::string names[2];
  FileResult r = LockName(ops, path, names[0]);
  // Where a link leads; a file that is not there has no such place, and fails to open later.
  if (std::string resolved; r && ops.RealPath(path, resolved) == 0) {
    if (resolved != path) r = LockName(ops, resolved, names[1]);
    if (names[1] == names[0]) names[1].clear();
    if (!r) r.failure.path = path;
  }
  FileLock taken;
  taken.ops_ = &ops;
  for (int i = 0; r && i < 2; ++i) {
    if (names[i].empty()) continue;
    const int fd = ops.BindLock(names[i]);
    if (fd < 0) r = FileResult::Fail(path, "lock", -fd);
    if (fd >= 0) taken.fds_[i] = fd;
  }
  if (r) lock = std::move(taken);
  return r;
}

void FileLock::Release() {
  for (int& fd : fds_) {
    if (fd >= 0) ops_->Close(fd);
    fd = -1;
  }
}

}  // namespace dlg
