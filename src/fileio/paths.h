#pragma once
// Paths as the file layer builds and takes them apart: names joined by "/", never a backslash.

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

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

// Paths in folder order: byte by byte, a separator before any other character, so that a folder's
// own files come together ("a/b.dlg" before "a-b/c.dlg", which plain comparison puts first).
inline bool PathBefore(std::string_view a, std::string_view b, std::string_view separators = "/") {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const bool sepA = separators.find(a[i]) != std::string_view::npos;
    const bool sepB = separators.find(b[i]) != std::string_view::npos;
    if (sepA != sepB) return sepA;
    return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
  }
  return a.size() < b.size();
}

// A name a dialogue file has: ending in ".dlg" in any letter case, as Windows users name them.
inline bool IsDialogueName(std::string_view name) {
  if (name.size() < 5) return false;  // a name besides the ending
  const std::string_view end = name.substr(name.size() - 4);
  if (end[0] != '.') return false;
  for (std::size_t i = 1; i < 4; ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != ".dlg"[i]) return false;
  }
  return true;
}

}  // namespace dlg
