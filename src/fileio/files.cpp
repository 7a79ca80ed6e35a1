// Reading whole files, and the names beside them. Every read opens the file the same way, takes
// its status through the open descriptor, refuses anything but a regular file and runs one loop.

#include "fileio/files.h"

#include <cerrno>
#include <cstring>
#include <new>
#include <span>

#include "fileio/large_buffer.h"

namespace dlg {
namespace {

// Reads `fd` to its end: `room()` says where the next read goes and how much it may take,
// `took(n)` is told how much came. 0, or the failed read's -errno.
template <class Room, class Took>
int ReadToEnd(FileOps& ops, int fd, Room room, Took took) {
  for (;;) {
    const std::span<char> into = room();
    const ssize_t n = ops.Read(fd, into.data(), into.size());
    if (n <= 0) return static_cast<int>(n);
    took(static_cast<std::size_t>(n));
  }
}

// Opens `path` for reading, fills `st` through the descriptor, hands a regular file to
// `read(fd)` and closes it; every failure is a "read" of `path`.
template <class Read>
FileResult ReadOpened(FileOps& ops, const std::string& path, struct stat& st, Read read) {
  const int fd = ops.Open(path, kOpenToRead, 0);
  if (fd < 0) return FileResult::Fail(path, "read", -fd);
  const int s = ops.Fstat(fd, st);
  FileResult r = s < 0                  ? FileResult::Fail(path, "read", -s)
                 : !S_ISREG(st.st_mode) ? FileResult::Refuse(path, "read", kNotRegular)
                                        : read(fd);
  const int c = ops.Close(fd);
  if (r && c < 0) r = FileResult::Fail(path, "read", -c);
  return r;
}

}  // namespace

FileResult Files::ReadAll(const std::string& path, std::string& bytes, struct stat* info,
                          const std::function<bool(const struct stat&)>& held) {
  struct stat st {};
  FileResult r = ReadOpened(ops_, path, st, [&](int fd) {
    if (held && held(st)) return FileResult::Ok();
    // The editor reads its working copy into the same string at every command: sized to the
    // file (which fills with zeros only what the string gains, a line's worth after "Save New
    // Line") and read into in place. A file that grows while it is read is followed through a
    // block.
    const auto size = static_cast<std::size_t>(st.st_size);
    try {
      if (bytes.capacity() < size + 1) ReserveForFile(bytes, size + 1);
      bytes.resize(size);
    } catch (const std::bad_alloc&) {  // a file larger than the memory there is to hold it
      bytes = std::string();
      return FileResult::Fail(path, "read", ENOMEM);
    }
    std::size_t have = 0;
    char block[65536];
    const int n = ReadToEnd(
        ops_, fd,
        [&] {
          return have < size ? std::span<char>(bytes.data() + have, size - have)
                             : std::span<char>(block);
        },
        [&](std::size_t got) {
          if (have >= size) bytes.append(block, got);
          have += got;
        });
    if (n < 0) return FileResult::Fail(path, "read", -n);
    bytes.resize(have);
    return FileResult::Ok();
  });
  if (!r) bytes.clear();
  if (r && info != nullptr) *info = st;
  return r;
}

FileResult Files::HashFile(const std::string& path, struct stat& st, std::uint64_t& hash,
                           std::string_view compare, bool* same) {
  ContentHash sum;
  bool equal = true;
  std::size_t at = 0;
  char block[65536];
  const FileResult r = ReadOpened(ops_, path, st, [&](int fd) {
    const int n = ReadToEnd(
        ops_, fd, [&] { return std::span<char>(block); },
        [&](std::size_t got) {
          sum.Add({block, got});
          equal = equal && got <= compare.size() - at &&
                  std::memcmp(block, compare.data() + at, got) == 0;
          at += got;
        });
    return n < 0 ? FileResult::Fail(path, "read", -n) : FileResult::Ok();
  });
  st.st_size = static_cast<off_t>(at);
  hash = sum.Value();
  if (same != nullptr) *same = r && equal && at == compare.size();
  return r;
}

FileResult Files::FreeNameBeside(const std::string& path, std::string& aside) {
  for (unsigned n = 1;; ++n) {
    aside = path + "." + std::to_string(n);
    struct stat st {};
    const int r = ops_.Lstat(aside, st);
    if (r == -ENOENT) return FileResult::Ok();
    if (r < 0) return FileResult::Fail(aside, "read", -r);
  }
}

FileResult Files::MoveAside(const std::string& path, std::string& aside) {
  int r = -EEXIST;
  for (int attempt = 0; r == -EEXIST && attempt < 100; ++attempt) {
    if (attempt > 0) {
      if (FileResult free = FreeNameBeside(path, aside); !free) return free;
    }
    r = ops_.RenameNoReplace(path, aside);
  }
  return r < 0 ? FileResult::Fail(path, "rename", -r) : FileResult::Ok();
}

FileResult Files::Delete(const std::string& path) {
  const int r = ops_.Unlink(path);
  if (r < 0) return FileResult::Fail(path, "delete", -r);
  return FileResult::Ok();
}

FileResult Files::CreateEmpty(const std::string& path, mode_t mode) {
  struct stat old {};
  int r = ops_.Lstat(path, old);
  if (r == 0 && !S_ISREG(old.st_mode)) return FileResult::Refuse(path, "create", kNotRegular);
  if (r == 0 && (r = ops_.Unlink(path)) < 0) return FileResult::Fail(path, "create", -r);
  const int fd = ops_.Open(path, kCreateNew, mode & 07777);
  if (fd < 0) return FileResult::Fail(path, "create", -fd);
  const int c = ops_.Close(fd);
  if (c < 0) return FileResult::Fail(path, "create", -c);
  return FileResult::Ok();
}

}  // namespace dlg
