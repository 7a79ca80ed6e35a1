#pragma once
// Paths as the file layer builds and takes them apart: names joined by "/", never a backslash.

#include <string>

namespace dlg {

// The folder that holds `path`: "." for a bare name, "/" for a name in the root.
inline std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The last name of `path`.
inline std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// `folder` joined with a name by one "/".
inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

}  // namespace dlg
