#include "fileio/file_result.h"

#include <cstring>

namespace dlg {

std::string FileError::Reason() const {
  if (!refusal.empty()) return refusal;
  if (error == 0) return "short write";
  return std::strerror(error);
}

FileResult FileResult::Fail(std::string path, std::string operation, int error) {
  FileResult r;
  r.outcome = FileOutcome::Failed;
  r.failure = FileError{std::move(path), std::move(operation), error};
  return r;
}

FileResult FileResult::Refuse(std::string path, std::string operation, std::string why) {
  FileResult r = Fail(std::move(path), std::move(operation), 0);
  r.failure.refusal = std::move(why);
  return r;
}

}  // namespace dlg
