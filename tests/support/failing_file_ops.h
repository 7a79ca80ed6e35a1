#pragma once
// A FileOps that passes every call to the real one, logs the calls, and fails the ones a test
// arms: the Nth call of a kind, only that one or every one from it on, with a chosen errno, or
// a Write cut short. A failed call does nothing, except Close, which releases the descriptor as
// Linux does even when close reports an error. A rename that replaces nothing is a Rename. The
// lock touches no file: neither its binding nor the close that lets it go is a call of the log,
// and `lockError` fails the binding. Calls from the threads that flush and close behind a
// command are logged as they come.

#include <sys/file.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <mutex>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "fileio/file_ops.h"

namespace dlg::test {

// clang-format off
enum class OpKind { Open, Read, Write, Fsync, Close, Fstat, Stat, Lstat, Readlink, RealPath,
                    Fchmod, Fchown, Rename, Unlink, ListFolder, ProcessAlive, Count };
inline const char* OpName(OpKind k) {
  static constexpr const char* kNames[] = {"Open", "Read", "Write", "Fsync", "Close", "Fstat",
      "Stat", "Lstat", "Readlink", "RealPath", "Fchmod", "Fchown", "Rename", "Unlink",
      "ListFolder", "ProcessAlive"};
  return kNames[static_cast<int>(k)];
}
// clang-format on
inline void PrintTo(OpKind k, std::ostream* os) { *os << OpName(k); }

struct Fault {
  OpKind kind;
  int nth = 1;              // 1 = the first call of `kind`
  bool onward = false;      // also every later call of `kind`
  int error = 0;            // errno to fail with; 0 with a Write: cut it short instead
  std::size_t shortTo = 0;  // a cut-short Write passes at most this many bytes on
};

// Passes every call on to `next_`, each first shown to Before(), which may fail it; the lock
// and Close, Write and Fsync, which doubles treat each their own way, are left to them.
class ForwardingFileOps : public FileOps {
 public:
  using K = OpKind;
  // The calls go on to `next` instead of the real file system (which `next` wraps in turn).
  void PassTo(FileOps& next) { next_ = &next; }

  int Open(const std::string& p, int f, mode_t m) override {
    return Before(K::Open) ? next_->Open(p, f, m) : error_;
  }
  ssize_t Read(int fd, void* b, std::size_t n) override {
    return Before(K::Read) ? next_->Read(fd, b, n) : error_;
  }
  int Fstat(int fd, struct stat& st) override {
    return Before(K::Fstat) ? next_->Fstat(fd, st) : error_;
  }
  int Stat(const std::string& p, struct stat& st) override {
    return Before(K::Stat) ? next_->Stat(p, st) : error_;
  }
  int Lstat(const std::string& p, struct stat& st) override {
    return Before(K::Lstat) ? next_->Lstat(p, st) : error_;
  }
  int Readlink(const std::string& p, std::string& t) override {
    return Before(K::Readlink) ? next_->Readlink(p, t) : error_;
  }
  int RealPath(const std::string& p, std::string& r) override {
    return Before(K::RealPath) ? next_->RealPath(p, r) : error_;
  }
  int Fchmod(int fd, mode_t m) override {
    return Before(K::Fchmod) ? next_->Fchmod(fd, m) : error_;
  }
  int Fchown(int fd, uid_t u, gid_t g) override {
    return Before(K::Fchown) ? next_->Fchown(fd, u, g) : error_;
  }
  int Rename(const std::string& a, const std::string& b) override {
    return Before(K::Rename) ? next_->Rename(a, b) : error_;
  }
  int RenameNoReplace(const std::string& a, const std::string& b) override {
    return Before(K::Rename) ? next_->RenameNoReplace(a, b) : error_;
  }
  int Unlink(const std::string& p) override {
    return Before(K::Unlink) ? next_->Unlink(p) : error_;
  }
  int ListFolder(const std::string& p, std::vector<std::string>& names) override {
    return Before(K::ListFolder) ? next_->ListFolder(p, names) : error_;
  }
  int ProcessAlive(pid_t pid) override {
    return Before(K::ProcessAlive) ? next_->ProcessAlive(pid) : error_;
  }
  int BindLock(const std::string& name) override { return next_->BindLock(name); }
  ssize_t Write(int fd, const void* b, std::size_t n) override {
    return Before(K::Write) ? next_->Write(fd, b, n) : error_;
  }
  int Fsync(int fd) override { return Before(K::Fsync) ? next_->Fsync(fd) : error_; }
  int Close(int fd) override { return Before(K::Close) ? next_->Close(fd) : error_; }

 protected:
  // False fails the call with error_.
  virtual bool Before(OpKind kind) = 0;
  FileOps* next_ = &PosixFileOps();
  int error_ = 0;
};

class FailingFileOps : public ForwardingFileOps {
 public:
  void Arm(Fault f) { faults_.push_back(f); }  // several may be armed at once
  void Reset() {  // forgets the faults, the counts, the log and the lock's error
    lockError = 0;
    faults_.clear();
    counts_.fill(0);
    log_.clear();
  }
  int Calls(OpKind kind) const { return counts_[static_cast<int>(kind)]; }
  const std::vector<OpKind>& Log() const { return log_; }
  bool skipSync = false;  // set-up needs no durability, and flushes are slow on a real disk
  int lockError = 0;      // every lock fails with it while set

  int Fsync(int fd) override {
    return Before(K::Fsync) ? (skipSync ? 0 : next_->Fsync(fd)) : error_;
  }
  // The lock's descriptor is meant to stay open while a file is loaded; a flock of its own lets
  // OpenFds, which passes over locked descriptors, tell it from one left open.
  int BindLock(const std::string& name) override {
    if (lockError != 0) return -lockError;
    const int fd = next_->BindLock(name);
    if (fd >= 0) ::flock(fd, LOCK_EX);
    std::lock_guard hold(mutex_);
    if (fd >= 0) locks_.insert(fd);
    return fd;
  }
  int Close(int fd) override {
    bool lock = false;
    {
      std::lock_guard hold(mutex_);
      lock = locks_.erase(fd) > 0;
    }
    const bool go = lock || Before(K::Close);
    const int r = next_->Close(fd);
    return go ? r : error_;
  }
  ssize_t Write(int fd, const void* b, std::size_t n) override {
    if (Before(K::Write)) return next_->Write(fd, b, n);
    if (hit_->error != 0) return error_;
    return n == 0 || hit_->shortTo == 0 ? 0 : next_->Write(fd, b, std::min(n, hit_->shortTo));
  }

 private:
  // Logs the call; false when it meets a fault, which is then in hit_ and error_.
  bool Before(OpKind kind) override {
    std::lock_guard hold(mutex_);
    log_.push_back(kind);
    const int n = ++counts_[static_cast<int>(kind)];
    for (const Fault& f : faults_) {
      if (f.kind == kind && (n == f.nth || (f.onward && n > f.nth))) {
        hit_ = &f;
        error_ = -(f.error != 0 ? f.error : EIO);
        return false;
      }
    }
    return true;
  }

  std::mutex mutex_;
  std::vector<Fault> faults_;
  std::array<int, static_cast<int>(K::Count)> counts_{};
  std::vector<OpKind> log_;
  std::set<int> locks_;  // descriptors that BindLock gave out
  const Fault* hit_ = nullptr;
};

}  // namespace dlg::test
