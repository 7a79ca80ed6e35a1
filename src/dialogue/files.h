#pragma once
// Whole-file operations built on the FileOps seam. Every operation reports failure with the
// file, what was being done and the system's reason; nothing fails silently.

#include <span>
#include <string>
#include <string_view>

#include "dialogue/file_ops.h"

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
};

class Files {
 public:
  explicit Files(FileOps& ops) : ops_(ops) {}

  // Open for input: the whole file into `bytes`.
  FileResult ReadAll(const std::string& path, std::string& bytes);

  // Replaces `path` whole with `bytes`: a temporary file in the same folder is written, flushed
  // to disk and renamed over the target, and the folder is flushed after it. An existing target
  // keeps its permission bits (and owner, where allowed); a symbolic link is written through to
  // the file it names. On failure the target is as it was and no temporary file remains.
  // A target that the process may not write (read-only, immutable) is refused, not swapped for
  // a writable file, and so is one with further hard links, which would keep the old bytes.
  // With `flushFolder` false the folder is not flushed: for a file that is renamed again at once
  // by a MoveOver, which flushes the folder for both renames.
  FileResult ReplaceWhole(const std::string& path, std::string_view bytes, bool flushFolder = true);
  // The same with the new bytes given as pieces, written one after the other.
  FileResult ReplaceWholeInPieces(const std::string& path, std::span<const std::string_view> pieces,
                                  bool flushFolder = true);

  // File copy: the destination, if it exists, is replaced (as ReplaceWhole does).
  FileResult Copy(const std::string& from, const std::string& to);

  // Moves `from` over `to` in one rename (both in one folder), keeping `to`'s permission bits.
  FileResult MoveOver(const std::string& from, const std::string& to);

  // File delete.
  FileResult Delete(const std::string& path);

  // Creates `path` empty, or empties it (open for output without writing).
  FileResult CreateEmpty(const std::string& path);

  bool Exists(const std::string& path);

  FileOps& Ops() { return ops_; }

 private:
  FileOps& ops_;
};

}  // namespace dlg
