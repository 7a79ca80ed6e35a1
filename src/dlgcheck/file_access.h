#pragma once
// dlgcheck's files: it reads whole files, replaces one (the map) whole, and must tell when two
// names are one file. One source a system: over src/fileio on POSIX, as the editor reads and
// writes; over Win32 on Windows. Paths are taken as given, in UTF-8. A failure comes back as the
// reason a user reads, worded as the C library's strerror words it wherever the system has such
// a failure, so that a build script sees the same message on either system.

#include <string>
#include <vector>

namespace dlg::dlgcheck {

// "" when `bytes` holds the whole file at `path`, else the reason. Anything but a regular file
// is refused.
std::string ReadWhole(const std::string& path, std::string& bytes);

// "" when `path` holds `bytes`, else the reason. Never half-written: a temporary file beside the
// target is written, flushed and renamed over it; on failure the target is as it was and no
// temporary file remains. A symbolic link of that name is replaced itself, never written
// through.
std::string ReplaceWhole(const std::string& path, const std::string& bytes);

// What a FILE argument stands for: itself, or for a folder every dialogue file at and below it
// (fileio/dialogue_folder.h says which and in what order). `failure` is "" for a file to read;
// otherwise `path` is a folder that could not be listed, and `failure` the reason.
struct Input {
  std::string path;
  std::string failure;
};
std::vector<Input> DialoguesAt(const std::string& path);
// What separates the names of a path on this system, for PathBefore.
extern const char kSeparators[];

// True when both names exist and are one file, reached through a link or not.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace dlg::dlgcheck
