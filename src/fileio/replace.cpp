// Replacing files whole. A replaced file is never opened for writing in place: the new bytes go
// to a temporary file beside it, which is flushed and then renamed over the old one, so a crash
// or a full disk at any moment leaves either the old file or the new one. A killed editor leaves
// its temporary file behind; the next Load removes it by its name.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

#include "fileio/files.h"
#include "fileio/paths.h"

namespace dlg {
namespace {

// Linux gives up on a chain of links after 40 as well.
constexpr int kMaxLinkDepth = 40;
// Keeps the temporary name within NAME_MAX when the target's own name is near it.
constexpr std::size_t kMaxTempStem = 200;

// Temporary files are named "." + the target's name + ".tmp-" + process id + "-" + count, so
// that those of a process that is gone can be told.
std::string TempPrefix(const std::string& target) {
  return "." + NameOf(target).substr(0, kMaxTempStem) + ".tmp-";
}

mode_t NewFileMode() {
  // umask can only be read by setting it; the threads beside the commands' own only flush and
  // close files, never create one, so putting it back at once is safe.
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The file that a write to `path` must replace: `path` itself, or the end of its chain of
// symbolic links. A link that names nothing yet leads to the file it would name.
int ResolveLinks(FileOps& ops, const std::string& path, std::string& resolved) {
  std::string at = path;
  for (int depth = 0; depth <= kMaxLinkDepth; ++depth) {
    struct stat st {};
    int r = ops.Lstat(at, st);
    if (r == -ENOENT || (r == 0 && !S_ISLNK(st.st_mode))) {
      resolved = at;
      return 0;
    }
    if (r < 0) return r;
    std::string target;
    r = ops.Readlink(at, target);
    if (r < 0) return r;
    if (target.empty()) return -ENOENT;
    at = target.front() == '/' ? target : JoinPath(FolderOf(at), target);
  }
  return -ELOOP;
}

// Flushes a folder's entries, so that a rename in it survives a crash.
int SyncFolder(FileOps& ops, const std::string& folder) {
  int fd = ops.Open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return fd;
  int r = ops.Fsync(fd);
  // Some file systems cannot flush a folder at all; the rename is then as durable as they allow.
  if (r == -EINVAL) r = 0;
  int c = ops.Close(fd);
  return r < 0 ? r : c;
}

int WriteAll(FileOps& ops, int fd, std::string_view bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ops.Write(fd, p, left);
    if (n < 0) return static_cast<int>(n);
    // A regular file that takes nothing is full.
    if (n == 0) return -ENOSPC;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return 0;
}

// Flushes `fd` to disk while `work` runs: a large file waits for the disk for as long as
// reading it took, time in which the processor can do the command's other work. The flush runs
// on the flushing thread while `work`, which makes no file calls, runs on this one.
int FlushWhile(FileOps& ops, Worker& flusher, int fd, std::size_t bytes,
               const std::function<void()>& work) {
  constexpr std::size_t kOverlapFrom = std::size_t{1} << 20;  // below: not worth the hand-over
  int result = 0;
  if (bytes < kOverlapFrom || !flusher.Post([&] { result = ops.Fsync(fd); })) {
    work();
    return ops.Fsync(fd);
  }
  try {
    work();
  } catch (...) {
    flusher.Settle();  // the flush refers to this frame
    throw;
  }
  flusher.Settle();
  return result;
}

// Opens a fresh temporary file beside `target`, readable by its owner only until it is ready.
int CreateTemp(FileOps& ops, const std::string& target, std::string& tempPath) {
  static unsigned counter = 0;
  const std::string prefix = TempPrefix(target) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = JoinPath(FolderOf(target), prefix + std::to_string(++counter));
    int fd = ops.Open(tempPath, kCreateNew, 0600);
    if (fd != -EEXIST) return fd;
  }
  return -EEXIST;
}

// Gives the temporary file the owner and the permission bits that the replaced file had, or
// those of a new file. The owner is kept where the process may set it.
int TakeOverAttributes(FileOps& ops, int fd, const struct stat* old, mode_t newFileLimit) {
  if (old == nullptr) return ops.Fchmod(fd, NewFileMode() & newFileLimit);
  if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
    int r = ops.Fchown(fd, old->st_uid, old->st_gid);
    if (r < 0 && r != -EPERM) return r;
  }
  // After fchown, which may have cleared set-id bits.
  return ops.Fchmod(fd, old->st_mode & 07777);
}

}  // namespace

// Writes the pieces to a new temporary file beside `target`, gives it its attributes, flushes
// it and renames it over `target`. Nothing of it remains on failure.
FileResult Files::WriteAndRename(const std::string& path, const std::string& target,
                                 const Replacement& w) {
  auto fail = [&](int negErrno) { return FileResult::Fail(path, "write", -negErrno); };
  std::string temp;
  int fd = CreateTemp(ops_, target, temp);
  if (fd < 0) return fail(fd);

  // Attributes after the bytes: a write by a process without CAP_FSETID clears set-id bits.
  int r = 0;
  std::size_t total = 0;
  for (std::string_view piece : w.pieces) {
    if (r == 0) r = WriteAll(ops_, fd, piece);
    total += piece.size();
  }
  if (r == 0) r = w.attributes(fd);
  if (r == 0) {
    r = FlushWhile(ops_, flusher_, fd, total, [&] {
      if (w.hash != nullptr) {
        for (std::string_view piece : w.pieces) w.hash->Add(piece);
      }
      if (w.meanwhile) w.meanwhile();
    });
  }
  // The new file's place and time, which the rename keeps.
  if (r == 0 && w.written != nullptr) r = ops_.Fstat(fd, *w.written);
  int c = ops_.Close(fd);
  if (r == 0) r = c;
  int held = -1;
  if (r == 0) {
    held = late_.Hold(target, w.old);
    r = w.mayReplace ? ops_.Rename(temp, target) : ops_.RenameNoReplace(temp, target);
  }
  if (r < 0) {
    late_.Close(held);
    ops_.Unlink(temp);
    return fail(r);
  }
  r = SyncFolder(ops_, FolderOf(target));
  // Let go of the old file only now: the folder's flush would wait for the freeing of its blocks.
  late_.Close(held);
  if (r < 0) {
    FileResult failed = fail(r);
    failed.outcome = FileOutcome::InPlaceNotFlushed;
    return failed;
  }
  return FileResult::Ok();
}

// A file made new: the owner is this process, the mode the limit of new files and the umask.
std::function<int(int)> Files::NewFileAttributes() {
  return [this](int fd) { return TakeOverAttributes(ops_, fd, nullptr, newFileLimit_); };
}

FileResult Files::ReplaceWhole(const std::string& path, std::string_view bytes,
                               struct stat* written) {
  auto fail = [&](int negErrno) { return FileResult::Fail(path, "write", -negErrno); };

  std::string target;
  int r = ResolveLinks(ops_, path, target);
  if (r < 0) return fail(r);

  struct stat old {};
  r = ops_.Stat(target, old);
  bool exists = r == 0;
  if (r < 0 && r != -ENOENT) return fail(r);
  if (exists && !S_ISREG(old.st_mode)) return FileResult::Refuse(path, "write", kNotRegular);
  if (exists) {
    // The rename needs only the folder's permission; the file's own must be asked by opening
    // it for writing (nothing is written).
    int probe = ops_.Open(target, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0);
    if (probe < 0) return fail(probe);
    r = ops_.Close(probe);
    if (r < 0) return fail(r);
    if (old.st_nlink > 1) {
      return FileResult::Refuse(path, "write",
                                "it has " + std::to_string(old.st_nlink) +
                                    " hard links, and the other names would keep the old text");
    }
  }

  return WriteAndRename(path, target,
                        {.pieces = {&bytes, 1},
                         .attributes =
                             [&](int fd) {
                               return TakeOverAttributes(ops_, fd, exists ? &old : nullptr,
                                                         newFileLimit_);
                             },
                         .old = exists ? &old : nullptr,
                         .written = written});
}

FileResult Files::ReplaceName(const std::string& path, std::string_view bytes) {
  struct stat st {};
  if (ops_.Lstat(path, st) != 0 || !S_ISLNK(st.st_mode)) return ReplaceWhole(path, bytes);
  return WriteAndRename(path, path, {.pieces = {&bytes, 1}, .attributes = NewFileAttributes()});
}

FileResult Files::CreateWhole(const std::string& path, std::string_view bytes) {
  return WriteAndRename(
      path, path, {.pieces = {&bytes, 1}, .attributes = NewFileAttributes(), .mayReplace = false});
}

FileResult Files::ReplaceCopy(const std::string& path, std::span<const std::string_view> pieces,
                              mode_t mode, struct stat* written, ContentHash* hash,
                              const std::function<void()>& meanwhile) {
  struct stat old {};
  int r = ops_.Lstat(path, old);
  if (r < 0 && r != -ENOENT) return FileResult::Fail(path, "write", -r);
  if (r == 0 && !S_ISREG(old.st_mode)) return FileResult::Refuse(path, "write", kNotRegular);
  return WriteAndRename(path, path,
                        {.pieces = pieces,
                         .attributes = [&](int fd) { return ops_.Fchmod(fd, mode & 07777); },
                         .old = r == 0 ? &old : nullptr,
                         .written = written,
                         .hash = hash,
                         .meanwhile = meanwhile});
}

void Files::RemoveStrayTemps(const std::string& folder,
                             const std::function<bool(std::string_view target)>& wouldBecome) {
  std::vector<std::string> names;
  if (ops_.ListFolder(folder, names) < 0) return;
  for (const std::string& name : names) {
    // "." + target + ".tmp-" + pid + "-" + count, and nothing else.
    const std::size_t tmp = name.rfind(".tmp-");
    if (name.empty() || name[0] != '.' || tmp == std::string::npos || tmp < 1) continue;
    const std::string_view rest = std::string_view(name).substr(tmp + 5);
    const std::size_t dash = rest.find('-');
    auto digits = [](std::string_view d) {
      return !d.empty() && d.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (dash == std::string_view::npos || !digits(rest.substr(0, dash)) ||
        !digits(rest.substr(dash + 1)) || !wouldBecome(std::string_view(name).substr(1, tmp - 1)))
      continue;
    const auto pid = static_cast<pid_t>(std::atol(name.c_str() + tmp + 5));
    if (pid > 0 && ops_.ProcessAlive(pid) == 0) Delete(JoinPath(folder, name));
  }
}

void Files::RemoveStrayTemps(const std::vector<std::string>& targets) {
  if (targets.empty()) return;
  RemoveStrayTemps(FolderOf(targets.front()), [&](std::string_view stem) {
    for (const std::string& target : targets)
      if (stem == std::string_view(NameOf(target)).substr(0, kMaxTempStem)) return true;
    return false;
  });
}

}  // namespace dlg
