// dlgcheck's files on POSIX: the editor's own file layer, so the map is replaced by its
// crash-safe path and every file read as the editor reads it.

#include <sys/stat.h>

#include "dlgcheck/file_access.h"
#include "fileio/dialogue_folder.h"
#include "fileio/files.h"

namespace dlg::dlgcheck {

std::string ReadWhole(const std::string& path, std::string& bytes) {
  Files files(PosixFileOps());
  const FileResult r = files.ReadAll(path, bytes);
  return r ? std::string() : r.failure.Reason();
}

std::string ReplaceWhole(const std::string& path, const std::string& bytes) {
  Files files(PosixFileOps());
  const FileResult r = files.ReplaceName(path, bytes);
  return r ? std::string() : r.failure.Reason();
}

const char kSeparators[] = "/";

std::vector<Input> DialoguesAt(const std::string& path) {
  Files files(PosixFileOps());
  struct stat st {};
  if (files.Stat(path, st) != 0 || !S_ISDIR(st.st_mode)) return {{path, ""}};
  std::vector<Input> inputs;
  for (const FoundFile& f : DialoguesBelow(PosixFileOps(), path)) {
    inputs.push_back({f.path, f.listed ? "" : f.listed.failure.Reason()});
  }
  return inputs;
}

bool SameFile(const std::string& a, const std::string& b) {
  Files files(PosixFileOps());
  struct stat first {};
  struct stat second {};
  return files.Stat(a, first) == 0 && files.Stat(b, second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace dlg::dlgcheck
