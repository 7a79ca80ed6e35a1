#include "commands/browse.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "commands/boxes.h"
#include "commands/editor.h"

namespace dlg {

namespace fs = std::filesystem;

namespace {

// Kernel and virtual file systems hold no dialogues; listing them only clutters the drive list.
bool IsVirtualFileSystem(const std::string& type) {
  static const std::set<std::string> kVirtual = {
      "proc",      "sysfs",   "devtmpfs",    "devpts",     "cgroup", "cgroup2",  "mqueue",
      "debugfs",   "tracefs", "securityfs",  "pstore",     "bpf",    "configfs", "fusectl",
      "hugetlbfs", "autofs",  "binfmt_misc", "rpc_pipefs", "nsfs",   "efivarfs", "selinuxfs"};
  return kVirtual.count(type) > 0;
}

// Mount tables escape blanks and the like as octal ("\040").
std::string UnescapeMount(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 1]))) {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 3), nullptr, 8));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

bool MatchesPattern(const std::string& name) {
  // "*.dlg", without regard to case: files made on other systems are often "*.DLG".
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".dlg";
}

}  // namespace

std::vector<std::string> ListDrives() {
  std::vector<std::string> drives = {"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, point, type;
    if (!(fields >> device >> point >> type)) continue;
    if (IsVirtualFileSystem(type)) continue;
    point = UnescapeMount(point);
    if (std::find(drives.begin(), drives.end(), point) == drives.end()) drives.push_back(point);
  }
  std::sort(drives.begin() + 1, drives.end());
  return drives;
}

std::string DriveOf(const std::vector<std::string>& drives, const std::string& path) {
  std::string best = "/";
  for (const std::string& d : drives) {
    const bool inside = path == d || (path.size() > d.size() && path.compare(0, d.size(), d) == 0 &&
                                      (d == "/" || path[d.size()] == '/'));
    if (inside && d.size() > best.size()) best = d;
  }
  return best;
}

std::string NormalFolder(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(fs::path(path), ec).lexically_normal();
  std::string s = p.string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s.empty() ? "/" : s;
}

FileResult ShowFolder(const std::string& folder, FolderList& dir, FileList& file) {
  const std::string path = NormalFolder(folder);
  std::error_code ec;
  fs::directory_iterator it(path, ec);
  if (ec) return FileResult::Fail(path, "open folder", ec.value());
  std::vector<std::string> folders, files;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;  // hidden, as file managers do
    std::error_code typeError;
    if (it->is_directory(typeError)) {
      folders.push_back(name);
    } else if (MatchesPattern(name) && it->is_regular_file(typeError)) {
      files.push_back(name);
    }
  }
  if (ec) return FileResult::Fail(path, "read folder", ec.value());
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());

  dir.path = path;
  dir.ancestors.clear();
  for (fs::path p = path;; p = p.parent_path()) {
    dir.ancestors.insert(dir.ancestors.begin(), p.string());
    if (p == p.parent_path() || p.string() == "/") break;
  }
  dir.subfolders = std::move(folders);
  file.path = path;
  file.files = std::move(files);
  file.fileName.clear();
  return FileResult::Ok();
}

// --- The handlers of the three lists.

namespace {

bool MoveLists(Editor& ed, const std::string& folder) {
  FileResult r = ShowFolder(folder, ed.window.folderList, ed.window.fileList);
  if (!r) ReportFileError(ed, r.failure);
  return bool(r);
}

}  // namespace

void StartUp(Editor& ed) {
  ed.state.fileLoaded = false;
  EditorWindow& w = ed.window;
  w.driveList.drives = ListDrives();
  std::error_code ec;
  const std::filesystem::path cwd = std::filesystem::current_path(ec);
  const std::string start = ec ? std::string(1, '/') : cwd.string();
  w.driveList.drive = DriveOf(w.driveList.drives, NormalFolder(start));
  if (!MoveLists(ed, start)) MoveLists(ed, w.driveList.drive);
}

void ChangeDrive(Editor& ed, const std::string& drive) {
  if (MoveLists(ed, drive)) ed.window.driveList.drive = drive;
}

void ChangeFolder(Editor& ed, const std::string& path) {
  if (MoveLists(ed, path)) {
    ed.window.driveList.drive = DriveOf(ed.window.driveList.drives, ed.window.folderList.path);
  }
}

std::vector<std::string> FolderRows(const FolderList& dir) {
  std::vector<std::string> rows;
  std::size_t depth = 0;
  for (const std::string& path : dir.ancestors) {
    const std::size_t slash = path.find_last_of('/');
    const std::string name =
        path == "/" || slash == std::string::npos ? path : path.substr(slash + 1);
    rows.push_back(std::string(2 * depth++, ' ') + name);
  }
  for (const std::string& name : dir.subfolders) rows.push_back(std::string(2 * depth, ' ') + name);
  return rows;
}

void OpenFolderRow(Editor& ed, int row) {
  const FolderList& dir = ed.window.folderList;
  const std::size_t r = static_cast<std::size_t>(row);
  if (row < 0) return;
  if (r < dir.ancestors.size()) {
    ChangeFolder(ed, std::string(dir.ancestors[r]));
  } else if (r - dir.ancestors.size() < dir.subfolders.size()) {
    ChangeFolder(ed, JoinPath(dir.path, dir.subfolders[r - dir.ancestors.size()]));
  }
}

void PickDriveRow(Editor& ed, int row) {
  const std::vector<std::string>& drives = ed.window.driveList.drives;
  if (row < 0 || row >= static_cast<int>(drives.size())) return;
  ChangeDrive(ed, std::string(drives[static_cast<std::size_t>(row)]));
}

}  // namespace dlg
