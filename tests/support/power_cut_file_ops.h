#pragma once
// A FileOps that passes every call on to the real file system and keeps, beside what the process
// sees, what a power cut would leave in one folder: the bytes of each file as last flushed and the
// folder's entries as last flushed, with the changes of names made since, in order. Before each
// call (and at the end) it notes that record, so that one run gives the disk at every cut point.
// The disks a cut may leave follow a journalling file system in ordered mode: a file's unflushed
// bytes may be absent or cut at any block; the journal commits a folder's changes in order, so
// any first few of those made since its last flush survive; what was flushed stays.

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/failing_file_ops.h"
#include "support/temp_dir.h"

namespace dlg::test {

using Layout = std::map<std::string, std::string>;  // file name -> bytes

class PowerCutFileOps : public ForwardingFileOps {
 public:
  static constexpr std::size_t kBlock = 4096;
  // A file as made, apart from any other that later gets its inode number.
  using Id = std::uint64_t;
  struct Change {  // a create has no `from`, an unlink no `to`
    std::string from, to;
    Id id = 0;
  };
  struct Disk {
    std::map<std::string, Id> entries;  // as last flushed
    std::vector<Change> pending;        // since, in order
    std::map<Id, std::string> flushed, seen;
  };

  // From now on the folder's files and entries are as on disk, and every call is a cut point.
  void Start(const std::string& folder) {
    std::lock_guard hold(mutex_);
    folder_ = folder;
    disk_ = {};
    cuts_.clear();
    ids_.clear();
    disk_.entries = Entries();
    for (const auto& [name, id] : disk_.entries)
      disk_.flushed[id] = disk_.seen[id] = ReadBytes(folder_ + "/" + name);
    on_ = true;
  }
  // Ends the record with the cut after the last call.
  std::vector<Disk> Finish() {
    std::lock_guard hold(mutex_);
    on_ = false;
    cuts_.push_back(disk_);
    return std::move(cuts_);
  }
  // Every disk that a cut at `d` may leave, or `cap` of them drawn at random (with the first and
  // the last) where there are more.
  static std::vector<Layout> States(const Disk& d, std::uint64_t cap, std::uint64_t seed);

  int Open(const std::string& p, int f, mode_t m) override {
    std::lock_guard hold(mutex_);
    Cut();
    struct stat st {};
    const bool existed = next_->Lstat(p, st) == 0;
    const int fd = next_->Open(p, f, m);
    if (fd >= 0 && on_) {
      paths_[fd] = p;
      if ((f & O_CREAT) && !existed && Inside(p) && next_->Fstat(fd, st) == 0) {
        const Id id = ids_[st.st_ino] = ++lastId_;
        disk_.pending.push_back({"", Name(p), id});
        disk_.seen[id].clear();
      }
    }
    return fd;
  }
  ssize_t Write(int fd, const void* b, std::size_t n) override {
    std::lock_guard hold(mutex_);
    Cut();
    const ssize_t r = next_->Write(fd, b, n);
    if (struct stat st{}; on_ && next_->Fstat(fd, st) == 0 && S_ISREG(st.st_mode))
      disk_.seen[IdOf(st.st_ino)] = ReadBytes("/proc/self/fd/" + std::to_string(fd));
    return r;
  }
  int Fsync(int fd) override {
    std::lock_guard hold(mutex_);
    Cut();
    struct stat st {};
    if (!on_ || next_->Fstat(fd, st) != 0) return next_->Fsync(fd);
    const int r = next_->Fsync(fd);
    if (r == 0 && S_ISREG(st.st_mode)) {
      disk_.flushed[IdOf(st.st_ino)] = disk_.seen[IdOf(st.st_ino)] =
          ReadBytes("/proc/self/fd/" + std::to_string(fd));
    } else if (r == 0 && S_ISDIR(st.st_mode) && paths_[fd] == folder_) {
      disk_.entries = Entries();
      disk_.pending.clear();
    }
    return r;
  }
  int Close(int fd) override {
    std::lock_guard hold(mutex_);
    Cut();
    paths_.erase(fd);
    return next_->Close(fd);
  }
  int Rename(const std::string& a, const std::string& b) override { return Move(a, b, true); }
  int RenameNoReplace(const std::string& a, const std::string& b) override {
    return Move(a, b, false);
  }
  int Unlink(const std::string& p) override {
    std::lock_guard hold(mutex_);
    Cut();
    const int r = next_->Unlink(p);
    if (r == 0 && on_ && Inside(p)) disk_.pending.push_back({Name(p), "", 0});
    return r;
  }

 private:
  // The calls that change nothing on disk are cut points all the same.
  bool Before(OpKind) override {
    std::lock_guard hold(mutex_);
    Cut();
    return true;
  }
  int Move(const std::string& a, const std::string& b, bool mayReplace) {
    std::lock_guard hold(mutex_);
    Cut();
    struct stat st {};
    next_->Lstat(a, st);
    const int r = mayReplace ? next_->Rename(a, b) : next_->RenameNoReplace(a, b);
    if (r == 0 && on_ && Inside(a) && Inside(b))
      disk_.pending.push_back({Name(a), Name(b), IdOf(st.st_ino)});
    return r;
  }
  void Cut() {
    if (on_) cuts_.push_back(disk_);
  }
  bool Inside(const std::string& p) const { return p.rfind(folder_ + "/", 0) == 0; }
  std::string Name(const std::string& p) const { return p.substr(folder_.size() + 1); }
  Id IdOf(ino_t ino) {
    const auto [it, made] = ids_.try_emplace(ino, lastId_ + 1);
    if (made) ++lastId_;
    return it->second;
  }
  std::map<std::string, Id> Entries() {
    std::map<std::string, Id> names;
    for (const auto& e : std::filesystem::directory_iterator(folder_)) {
      struct stat st {};
      if (::lstat(e.path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
        names[e.path().filename().string()] = IdOf(st.st_ino);
    }
    return names;
  }

  std::mutex mutex_;
  bool on_ = false;
  std::string folder_;
  Disk disk_;
  std::vector<Disk> cuts_;
  std::map<int, std::string> paths_;
  std::map<ino_t, Id> ids_;  // of the files there now
  Id lastId_ = 0;
};

// A file's bytes after a cut: as flushed, or any whole blocks more of what was appended, or all.
inline std::vector<std::string> Variants(const std::string& flushed, const std::string& seen) {
  if (seen == flushed) return {seen};
  if (!seen.starts_with(flushed)) return {flushed, seen};
  std::vector<std::string> out{flushed};
  for (std::size_t at = (flushed.size() / PowerCutFileOps::kBlock + 1) * PowerCutFileOps::kBlock;
       at < seen.size(); at += PowerCutFileOps::kBlock)
    out.push_back(seen.substr(0, at));
  out.push_back(seen);
  return out;
}

inline std::vector<Layout> PowerCutFileOps::States(const Disk& d, std::uint64_t cap,
                                                   std::uint64_t seed) {
  // Each folder that a number of the pending changes gives, with the variants of its files.
  struct Shape {
    std::map<std::string, Id> entries;
    std::vector<std::pair<Id, std::vector<std::string>>> files;
    std::uint64_t count = 1;
  };
  std::vector<Shape> shapes;
  std::uint64_t total = 0;
  auto entries = d.entries;
  for (std::size_t done = 0;; ++done) {
    Shape s{entries, {}, 1};
    std::set<Id> ids;
    for (const auto& [name, id] : entries) ids.insert(id);
    for (Id ino : ids) {
      const auto f = d.flushed.find(ino), seen = d.seen.find(ino);
      s.files.emplace_back(ino, Variants(f == d.flushed.end() ? "" : f->second,
                                         seen == d.seen.end() ? "" : seen->second));
      s.count *= s.files.back().second.size();
    }
    total += s.count;
    shapes.push_back(std::move(s));
    if (done == d.pending.size()) break;
    const Change& c = d.pending[done];
    if (!c.from.empty()) entries.erase(c.from);
    if (!c.to.empty()) entries[c.to] = c.id;
  }
  std::set<std::uint64_t> picks;
  if (total <= cap) {
    for (std::uint64_t i = 0; i < total; ++i) picks.insert(i);
  } else {
    std::mt19937_64 draw(seed);
    picks = {0, total - 1};
    while (picks.size() < cap) picks.insert(draw() % total);
  }
  std::vector<Layout> out;
  for (std::uint64_t pick : picks) {
    std::size_t at = 0;
    while (pick >= shapes[at].count) pick -= shapes[at++].count;
    std::map<Id, const std::string*> chosen;
    for (const auto& [ino, variants] : shapes[at].files) {
      chosen[ino] = &variants[pick % variants.size()];
      pick /= variants.size();
    }
    Layout layout;
    for (const auto& [name, ino] : shapes[at].entries) layout[name] = *chosen[ino];
    out.push_back(std::move(layout));
  }
  return out;
}

}  // namespace dlg::test
