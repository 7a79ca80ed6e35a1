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

enum class FileOutcome {
  Done,
  Failed,  // nothing changed
  // The new content is in place; only the flush of its folder failed, so a power cut could
  // still bring the old name back. Reported as a failure, but the file is the new one.
  InPlaceNotFlushed,
};

struct FileResult {
  FileOutcome outcome = FileOutcome::Done;
  FileError failure;  // meaningful unless Done
  explicit operator bool() const { return outcome == FileOutcome::Done; }
  bool InPlace() const { return outcome != FileOutcome::Failed; }
  static FileResult Ok() { return {}; }
  static FileResult Fail(std::string path, std::string operation, int error);
  static FileResult Refuse(std::string path, std::string operation, std::string why);
};

}  // namespace dlg
