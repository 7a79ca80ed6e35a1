// Whole-file operations. A replaced file is never opened for writing in place: the new bytes go
// to a temporary file beside it, which is flushed and then renamed over the old one, so a crash
// or a full disk at any moment leaves either the old file or the new one.

#include "dialogue/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "dialogue/large_buffer.h"

namespace dlg {
namespace {

// Linux gives up on a chain of links after 40 as well.
constexpr int kMaxLinkDepth = 40;
// Keeps the temporary name within NAME_MAX when the target's own name is near it.
constexpr std::size_t kMaxTempStem = 200;

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder == "/" ? "/" + name : folder + "/" + name;
}

mode_t NewFileMode() {
  // umask can only be read by setting it; the program has one thread, so putting it back at
  // once is safe.
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
    at = target.front() == '/' ? target : Join(FolderOf(at), target);
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
  std::string stem = NameOf(target).substr(0, kMaxTempStem);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = Join(FolderOf(target), "." + stem + ".tmp-" + std::to_string(::getpid()) + "-" +
                                          std::to_string(++counter));
    int fd = ops.Open(tempPath, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
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

FileResult Replaced(FileResult r) {
  r.replaced = true;
  return r;
}

const char kNotRegular[] = "not a regular file";

// Writes the pieces to a new temporary file beside `target`, gives it its attributes, flushes
// it and renames it over `target`. Nothing of it remains on failure.
FileResult WriteAndRename(FileOps& ops, const std::string& path, const std::string& target,
                          std::span<const std::string_view> pieces,
                          const std::function<int(int)>& attributes, bool flushFolder,
                          struct stat* written, Worker& flusher, LateClose& late,
                          const struct stat* old, FastHash* hash = nullptr,
                          const std::function<void()>& meanwhile = {}) {
  auto fail = [&](int negErrno) { return FileResult::Fail(path, "write", -negErrno); };
  std::string temp;
  int fd = CreateTemp(ops, target, temp);
  if (fd < 0) return fail(fd);

  // Attributes after the bytes: a write by a process without CAP_FSETID clears set-id bits.
  int r = 0;
  std::size_t total = 0;
  for (std::string_view piece : pieces) {
    if (r == 0) r = WriteAll(ops, fd, piece);
    total += piece.size();
  }
  if (r == 0) r = attributes(fd);
  if (r == 0) {
    r = FlushWhile(ops, flusher, fd, total, [&] {
      if (hash != nullptr) {
        for (std::string_view piece : pieces) hash->Add(piece);
      }
      if (meanwhile) meanwhile();
    });
  }
  // The new file's place and time, which the rename keeps.
  if (r == 0 && written != nullptr) r = ops.Fstat(fd, *written);
  int c = ops.Close(fd);
  if (r == 0) r = c;
  int held = -1;
  if (r == 0) {
    held = LateClose::Hold(target, old);
    r = ops.Rename(temp, target);
  }
  if (r < 0) {
    late.Close(held);
    ops.Unlink(temp);
    return fail(r);
  }
  if (flushFolder) r = SyncFolder(ops, FolderOf(target));
  // Let go of the old file only now: the folder's flush would wait for the freeing of its blocks.
  late.Close(held);
  if (r < 0) return Replaced(fail(r));
  return FileResult::Ok();
}

}  // namespace

std::string FileError::Reason() const {
  if (!refusal.empty()) return refusal;
  if (error == 0) return "short write";
  return std::strerror(error);
}

FileResult FileResult::Fail(std::string path, std::string operation, int error) {
  FileResult r;
  r.ok = false;
  r.failure = FileError{std::move(path), std::move(operation), error};
  return r;
}

FileResult FileResult::Refuse(std::string path, std::string operation, std::string why) {
  FileResult r = Fail(std::move(path), std::move(operation), 0);
  r.failure.refusal = std::move(why);
  return r;
}

FileResult Files::ReadAll(const std::string& path, std::string& bytes, struct stat* info) {
  // Non-blocking, so that a FIFO without a writer opens at once, to be refused below.
  int fd = ops_.Open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
  if (fd < 0) {
    bytes.clear();
    return FileResult::Fail(path, "read", -fd);
  }
  FileResult r = ReadOpen(fd, path, bytes, info);
  int c = ops_.Close(fd);
  if (r && c < 0) r = FileResult::Fail(path, "read", -c);
  if (!r) bytes.clear();
  return r;
}

FileResult Files::ReadOpen(int fd, const std::string& path, std::string& bytes, struct stat* info) {
  auto fail = [&](int negErrno) {
    bytes.clear();
    return FileResult::Fail(path, "read", -negErrno);
  };
  struct stat st {};
  int r = ops_.Fstat(fd, st);
  if (r < 0) return fail(r);
  if (!S_ISREG(st.st_mode)) {
    bytes.clear();
    return FileResult::Refuse(path, "read", kNotRegular);
  }
  if (info != nullptr) *info = st;
  // The editor reads its working copy into the same string at every command: sized to the file
  // (which fills with zeros only what the string gains, a line's worth after "Save New Line")
  // and read into in place. A file that grows while it is read is followed through a block.
  const auto size = static_cast<std::size_t>(st.st_size);
  if (bytes.capacity() < size + 1) ReserveForFile(bytes, size + 1);
  bytes.resize(size);
  std::size_t have = 0;
  char block[65536];
  for (;;) {
    const bool inPlace = have < size;
    char* to = inPlace ? bytes.data() + have : block;
    ssize_t n = ops_.Read(fd, to, inPlace ? size - have : sizeof block);
    if (n < 0) return fail(static_cast<int>(n));
    if (n == 0) break;
    if (!inPlace) bytes.append(to, static_cast<std::size_t>(n));
    have += static_cast<std::size_t>(n);
  }
  bytes.resize(have);
  return FileResult::Ok();
}

FileResult Files::ReplaceWhole(const std::string& path, std::string_view bytes, bool flushFolder,
                               struct stat* written) {
  return ReplaceWholeInPieces(path, std::span<const std::string_view>(&bytes, 1), flushFolder,
                              written);
}

FileResult Files::ReplaceWholeInPieces(const std::string& path,
                                       std::span<const std::string_view> pieces, bool flushFolder,
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
  if (exists && S_ISREG(old.st_mode)) {
    // The rename needs only the folder's permission; the file's own must be asked by opening
    // it for writing (nothing is written).
    int probe = ops_.Open(target, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC, 0);
    if (probe < 0) return fail(probe);
    r = ops_.Close(probe);
    if (r < 0) return fail(r);
    if (old.st_nlink > 1) {
      FileResult refused = fail(0);
      refused.failure.refusal = "it has " + std::to_string(old.st_nlink) +
                                " hard links, and the other names would keep the old text";
      return refused;
    }
  }

  return WriteAndRename(
      ops_, path, target, pieces,
      [&](int fd) { return TakeOverAttributes(ops_, fd, exists ? &old : nullptr, newFileLimit_); },
      flushFolder, written, flusher_, late_, exists ? &old : nullptr);
}

FileResult Files::ReplaceCopy(const std::string& path, std::span<const std::string_view> pieces,
                              mode_t mode, bool flushFolder, struct stat* written, FastHash* hash,
                              const std::function<void()>& meanwhile) {
  struct stat old {};
  int r = ops_.Lstat(path, old);
  if (r < 0 && r != -ENOENT) return FileResult::Fail(path, "write", -r);
  if (r == 0 && !S_ISREG(old.st_mode)) return FileResult::Refuse(path, "write", kNotRegular);
  return WriteAndRename(
      ops_, path, path, pieces, [&](int fd) { return ops_.Fchmod(fd, mode & 07777); }, flushFolder,
      written, flusher_, late_, r == 0 ? &old : nullptr, hash, meanwhile);
}

FileResult Files::Copy(const std::string& from, const std::string& to) {
  std::string bytes;
  FileResult r = ReadAll(from, bytes);
  if (!r) return r;
  return ReplaceWhole(to, bytes);
}

FileResult Files::MoveOver(const std::string& from, const std::string& to) {
  auto fail = [&](int negErrno) { return FileResult::Fail(from, "rename", -negErrno); };

  // The names are the editor's own copies: a link in their place is replaced, never followed.
  struct stat old {};
  int r = ops_.Lstat(to, old);
  if (r < 0 && r != -ENOENT) return fail(r);
  const bool exists = r == 0;
  if (exists && !S_ISREG(old.st_mode)) return FileResult::Refuse(to, "write", kNotRegular);
  if (exists) {
    struct stat now {};
    r = ops_.Lstat(from, now);
    if (r < 0) return fail(r);
    if ((now.st_mode & 07777) != (old.st_mode & 07777)) {
      int fd = ops_.Open(from, O_RDONLY | O_CLOEXEC, 0);
      if (fd < 0) return fail(fd);
      r = ops_.Fchmod(fd, old.st_mode & 07777);
      int c = ops_.Close(fd);
      if (r == 0) r = c;
      if (r < 0) return fail(r);
    }
  }
  const int held = LateClose::Hold(to, exists ? &old : nullptr);
  r = ops_.Rename(from, to);
  if (r < 0) {
    late_.Close(held);
    return fail(r);
  }
  r = SyncFolder(ops_, FolderOf(to));
  late_.Close(held);  // after the flush, as above
  if (r < 0) return Replaced(fail(r));
  return FileResult::Ok();
}

FileResult Files::Delete(const std::string& path) {
  int r = ops_.Unlink(path);
  if (r < 0) return FileResult::Fail(path, "delete", -r);
  return FileResult::Ok();
}

FileResult Files::CreateEmpty(const std::string& path, mode_t mode) {
  struct stat old {};
  int r = ops_.Lstat(path, old);
  if (r == 0 && !S_ISREG(old.st_mode)) return FileResult::Refuse(path, "create", kNotRegular);
  if (r == 0 && (r = ops_.Unlink(path)) < 0) return FileResult::Fail(path, "create", -r);
  int fd = ops_.Open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 07777);
  if (fd < 0) return FileResult::Fail(path, "create", -fd);
  int c = ops_.Close(fd);
  if (c < 0) return FileResult::Fail(path, "create", -c);
  return FileResult::Ok();
}

bool Files::Exists(const std::string& path) {
  struct stat st {};
  return ops_.Stat(path, st) == 0;
}

}  // namespace dlg
