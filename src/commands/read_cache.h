#pragma once
// The working copy as last read into the editor's read buffer. Every lookup reads the working
// copy from its first character; when the file is as it was at the last read (same file, size,
// modification and change times), the bytes in the buffer are those it would read, and reading
// a file of 125 MB again costs more than the lookup itself.

#include <sys/stat.h>

#include <string>

namespace dlg {

class ReadCache {
 public:
  // Whether the buffer holds the bytes of `path`, whose status is now `st`.
  bool Holds(const std::string& path, const struct stat& st) const;
  // The buffer now holds the bytes of `path`, read after its status was `st`. Kept only when its
  // last change is old enough that a change in the same tick of the file system's clock, which
  // would leave the times as they are, is ruled out; any later change shows in the times.
  void Note(const std::string& path, const struct stat& st);
  // The buffer was filled from elsewhere.
  void Forget() { valid_ = false; }

 private:
  bool valid_ = false;
  std::string path_;
  struct stat st_ {};
};

}  // namespace dlg
