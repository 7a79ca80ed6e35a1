#include "fileio/dialogue_folder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "fileio/paths.h"

namespace dlg {

namespace {

void Walk(FileOps& ops, const std::string& folder, std::vector<FoundFile>& out) {
  std::vector<std::string> names;
  if (const int r = ops.ListFolder(folder, names); r < 0) {
    out.push_back({folder, FileResult::Fail(folder, "list", -r)});
    return;
  }
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    struct stat st {};
    const int r = ops.Lstat(path, st);
    if (r == 0 && S_ISDIR(st.st_mode)) {
      if (name[0] != '.') Walk(ops, path, out);
    } else if (IsDialogueName(name)) {
      out.push_back({path, FileResult::Ok()});  // whatever it is, reading it will say
    } else if (r < 0 && r != -ENOENT && name[0] != '.') {
      // It may be a folder (one beyond the longest path, one in a folder we may list but not
      // enter): its files must not go missing unsaid. Gone since the listing, it held none.
      out.push_back({path, FileResult::Fail(path, "list", -r)});
    }
  }
}

}  // namespace

std::vector<FoundFile> DialoguesBelow(FileOps& ops, const std::string& folder) {
  std::vector<FoundFile> out;
  Walk(ops, folder, out);
  std::sort(out.begin(), out.end(),
            [](const FoundFile& a, const FoundFile& b) { return PathBefore(a.path, b.path); });
  return out;
}

}  // namespace dlg
