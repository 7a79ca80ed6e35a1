#pragma once
// Whole-file operations built on the FileOps seam. Every operation reports failure with the
// file, what was being done and the system's reason; nothing fails silently.

#include <sys/stat.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "dialogue/file_identity.h"
#include "dialogue/file_ops.h"
#include "dialogue/late_close.h"
#include "dialogue/worker.h"

namespace dlg {

struct FileError {
  std::string path;            // the file the failing call was about
  std::string operation;       // "read", "write", "rename", ... as a user reads it
  int error = 0;               // errno value; 0 for a short write without one
  std::string Reason() const;  // the system's text for `error`, or `refusal`
  std::string refusal = {};    // why the program itself declined, where no call failed
};

struct FileResult {
  bool ok = true;
  FileError failure;  // meaningful only when !ok
  // On failure: the new content is already in place; only flushing the rename to disk failed.
  bool replaced = false;
  explicit operator bool() const { return ok; }
  static FileResult Ok() { return {}; }
  static FileResult Fail(std::string path, std::string operation, int error);
  static FileResult Refuse(std::string path, std::string operation, std::string why);
};

class Files {
 public:
  explicit Files(FileOps& ops) : ops_(ops) {}

  // Open for input: the whole file into `bytes`, with its status in `info` when asked. Anything
  // but a regular file is refused without waiting for a writer (a FIFO) or a device.
  FileResult ReadAll(const std::string& path, std::string& bytes, struct stat* info = nullptr);
  // The same from a descriptor that is open for reading at its start; it stays open.
  FileResult ReadOpen(int fd, const std::string& path, std::string& bytes,
                      struct stat* info = nullptr);

  // Replaces `path` whole with `bytes`: a temporary file in the same folder is written, flushed
  // to disk and renamed over the target, and the folder is flushed after it. An existing target
  // keeps its permission bits (and owner, where allowed); a symbolic link is written through to
  // the file it names. On failure the target is as it was and no temporary file remains.
  // A target that the process may not write (read-only, immutable) is refused, not swapped for
  // a writable file, and so is one with further hard links, which would keep the old bytes.
  // With `flushFolder` false the folder is not flushed: for a file that is renamed again at once
  // by a MoveOver, which flushes the folder for both renames.
  // `written`, when given, receives the status of the new file.
  FileResult ReplaceWhole(const std::string& path, std::string_view bytes, bool flushFolder = true,
                          struct stat* written = nullptr);
  // The same with the new bytes given as pieces, written one after the other.
  FileResult ReplaceWholeInPieces(const std::string& path, std::span<const std::string_view> pieces,
                                  bool flushFolder = true, struct stat* written = nullptr);

  // Replaces one of the editor's own copies (working, scratch): never through a link, never
  // over anything but a regular file, made new with `mode`. `hash`, when given, takes in the
  // bytes written. `meanwhile`, which must make no file calls, runs while the new file is
  // flushed to disk (and not at all when writing failed before).
  FileResult ReplaceCopy(const std::string& path, std::span<const std::string_view> pieces,
                         mode_t mode, bool flushFolder = true, struct stat* written = nullptr,
                         FastHash* hash = nullptr, const std::function<void()>& meanwhile = {});

  // File copy: the destination, if it exists, is replaced (as ReplaceWhole does).
  FileResult Copy(const std::string& from, const std::string& to);

  // Moves `from` over `to` in one rename (both in one folder), keeping `to`'s permission bits.
  FileResult MoveOver(const std::string& from, const std::string& to);

  // File delete.
  FileResult Delete(const std::string& path);

  // Creates `path` empty, new with `mode`; a regular file of that name is removed first, and
  // anything else (a link, a FIFO) refused.
  FileResult CreateEmpty(const std::string& path, mode_t mode = 0600);

  bool Exists(const std::string& path);

  FileOps& Ops() { return ops_; }

  // A file that a replace makes new gets no permission bit beyond these (and the umask's).
  void LimitNewFileMode(mode_t mode) { newFileLimit_ = mode & 07777; }

  // Waits until the files that renames replaced are closed (and their room given back).
  void Settle() { late_.Settle(); }

 private:
  FileOps& ops_;
  mode_t newFileLimit_ = 07777;
  Worker flusher_;  // flushes large files while a command goes on
  LateClose late_;
};

}  // namespace dlg
