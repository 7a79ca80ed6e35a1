#include "mod/dialogue_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "fileio/paths.h"

namespace dlg::mod {

namespace {

bool EndsInDlg(const std::string& name) {
  if (name.size() < 4) return false;
  std::string end = name.substr(name.size() - 4);
  for (char& c : end)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return end == ".dlg";
}

void Walk(FileOps& ops, const std::string& folder, const std::string& below,
          std::vector<std::string>& files) {
  std::vector<std::string> names;
  if (ops.ListFolder(below.empty() ? folder : JoinPath(folder, below), names) < 0) return;
  for (const std::string& name : names) {
    const std::string shown = below.empty() ? name : below + "/" + name;
    struct stat st {};
    if (ops.Lstat(JoinPath(folder, shown), st) < 0) continue;
    if (S_ISDIR(st.st_mode)) {
      Walk(ops, folder, shown, files);
    } else if (S_ISREG(st.st_mode) && EndsInDlg(name)) {
      files.push_back(shown);
    }
  }
}

}  // namespace

std::string DialoguesBelow(FileOps& ops, const std::string& folder,
                           std::vector<std::string>& files) {
  files.clear();
  std::vector<std::string> names;
  if (const int r = ops.ListFolder(folder, names); r < 0) return std::strerror(-r);
  Walk(ops, folder, "", files);
  std::sort(files.begin(), files.end());
  return {};
}

}  // namespace dlg::mod
