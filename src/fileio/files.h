#pragma once
// Whole-file operations built on the FileOps seam: every file the program reads, writes, looks
// at or deletes goes through them. Every operation reports failure with the file, what was being
// done and the system's reason; nothing fails silently.

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/file_identity.h"
#include "fileio/file_lock.h"
#include "fileio/file_ops.h"
#include "fileio/file_result.h"
#include "fileio/late_close.h"
#include "fileio/worker.h"

namespace dlg {

class Files {
 public:
  explicit Files(FileOps& ops) : ops_(ops), late_(ops) {}

  // --- Reading (files.cpp). Anything but a regular file is refused without waiting for a
  // writer (a FIFO) or a device.

  // The whole file into `bytes`, with its status in `info` when asked. When `held`, given the
  // status of the file as opened, says that `bytes` holds its content already, nothing is read.
  FileResult ReadAll(const std::string& path, std::string& bytes, struct stat* info = nullptr,
                     const std::function<bool(const struct stat&)>& held = {});
  // Reads the file through once, block by block through a small buffer, so that a file of
  // 125 MB costs one read and neither a second copy in memory nor the page faults of one: the
  // hash of its bytes and, when asked, whether they are exactly `compare`. `st` ends with the
  // size of what was read.
  FileResult HashFile(const std::string& path, struct stat& st, std::uint64_t& hash,
                      std::string_view compare = {}, bool* same = nullptr);

  // --- Names (files.cpp): the status of a name (-errno on failure), through a link or not.
  int Stat(const std::string& path, struct stat& st) { return ops_.Stat(path, st); }
  int Lstat(const std::string& path, struct stat& st) { return ops_.Lstat(path, st); }
  // The lock of a dialogue file (see FileLock::Take).
  FileResult Lock(const std::string& path, FileLock& lock) {
    return FileLock::Take(ops_, path, lock);
  }
  // The first of "<path>.1", "<path>.2", ... that names nothing.
  FileResult FreeNameBeside(const std::string& path, std::string& aside);
  // Renames `path` to `aside` (from FreeNameBeside), or to the next free name should another
  // program take that one first; whatever is there already stays. The folder is not flushed.
  FileResult MoveAside(const std::string& path, std::string& aside);
  FileResult Delete(const std::string& path);
  // Creates `path` empty, new with `mode`; a regular file of that name is removed first, and
  // anything else (a link, a FIFO) refused.
  FileResult CreateEmpty(const std::string& path, mode_t mode = 0600);

  // --- Replacing (replace.cpp).

  // Replaces `path` whole with `bytes`: a temporary file in the same folder is written, flushed
  // to disk and renamed over the target, and the folder is flushed after it. An existing target
  // keeps its permission bits (and owner, where allowed); a symbolic link is written through to
  // the file it names. On failure the target is as it was and no temporary file remains.
  // A target that the process may not write (read-only, immutable) is refused, not swapped for
  // a writable file, and so is one with further hard links, which would keep the old bytes.
  // `written`, when given, receives the status of the new file.
  FileResult ReplaceWhole(const std::string& path, std::string_view bytes,
                          struct stat* written = nullptr);

  // The same, but a symbolic link of that name is itself replaced by the new file, never written
  // through: for a file that is the program's own output (a map), where a link planted under
  // its name must not lead the write to another file.
  FileResult ReplaceName(const std::string& path, std::string_view bytes);

  // Makes `path` new with `bytes` the same way, but renames it into place only while nothing
  // has that name: an existing file (or link) is never replaced, and the result fails with
  // EEXIST instead.
  FileResult CreateWhole(const std::string& path, std::string_view bytes);

  // Replaces one of the editor's own copies (working, scratch) with the pieces, written one
  // after the other: never through a link, never over anything but a regular file, made new
  // with `mode`. `hash`, when given, takes in the bytes written. `meanwhile`, which must make no
  // file calls, runs while the new file is flushed to disk (and not at all when writing failed
  // before).
  FileResult ReplaceCopy(const std::string& path, std::span<const std::string_view> pieces,
                         mode_t mode, struct stat* written = nullptr, ContentHash* hash = nullptr,
                         const std::function<void()>& meanwhile = {});

  // Deletes the temporary files that processes now gone left beside `targets` (all in one
  // folder): the strays of a killed editor. What cannot be looked at or deleted stays.
  void RemoveStrayTemps(const std::vector<std::string>& targets);
  // The same for every temporary file in `folder` whose target (a name, cut as temporary names
  // are) `wouldBecome` accepts: those of a file that a cut-off Save As or new file never made.
  void RemoveStrayTemps(const std::string& folder,
                        const std::function<bool(std::string_view target)>& wouldBecome);

  // A file that a replace makes new gets no permission bit beyond these (and the umask's).
  void LimitNewFileMode(mode_t mode) { newFileLimit_ = mode & 07777; }

  // Waits until the files that renames replaced are closed (and their room given back).
  void Settle() { late_.Settle(); }

  // The seam itself, for a reader on another thread that needs a Files of its own over it.
  FileOps& Ops() const { return ops_; }

 private:
  // What a replace writes and how: the bytes, the attributes the new file takes before its
  // flush, the file it replaces (whose close may wait), and what it reports back.
  struct Replacement {
    std::span<const std::string_view> pieces;
    std::function<int(int fd)> attributes;
    const struct stat* old = nullptr;
    struct stat* written = nullptr;  // the new file's identity, when asked for
    ContentHash* hash = nullptr;     // of the pieces, taken while the flush runs
    std::function<void()> meanwhile = {};
    bool mayReplace = true;  // false: an existing name is never replaced
  };
  FileResult WriteAndRename(const std::string& path, const std::string& target,
                            const Replacement& w);
  std::function<int(int fd)> NewFileAttributes();

  FileOps& ops_;
  mode_t newFileLimit_ = 07777;
  Worker flusher_;  // flushes large files while a command goes on
  LateClose late_;
};

}  // namespace dlg
