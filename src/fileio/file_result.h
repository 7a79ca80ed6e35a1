#pragma once
// What a file operation came to: success, or the file, what was being done and the system's
// reason, so that nothing fails silently.

#include <string>

namespace dlg {

// The refusal of a file that is a folder, a link, a FIFO or a device where a file is wanted.
inline constexpr const char* kNotRegular = "not a regular file";

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

}  // namespace dlg
