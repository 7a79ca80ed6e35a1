#pragma once
// A FileOps that passes every call to another one, counts the calls, and fails the ones a test
// arms: the Nth call of one kind or of any kind, only that one or every one from it on, with a
// chosen errno, or a Write cut short. A failed call does nothing, except Close, which releases
// the descriptor as Linux does even when close reports an error.

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

#include "dialogue/file_ops.h"

namespace dlg::test {

// clang-format off
enum class OpKind {
  Open, Read, Write, Fsync, Close, Fstat, Stat, Lstat, Readlink, Fchmod, Fchown, Rename, Unlink,
  Any  // matches every call, counted in call order
};
// clang-format on

inline const char* OpName(OpKind k) {
  static constexpr const char* names[] = {"Open",   "Read",   "Write",  "Fsync",    "Close",
                                          "Fstat",  "Stat",   "Lstat",  "Readlink", "Fchmod",
                                          "Fchown", "Rename", "Unlink", "Any"};
  return names[static_cast<int>(k)];
}

struct Fault {
  OpKind kind = OpKind::Any;
  int nth = 1;              // 1 = the first call of `kind`
  bool onward = false;      // also every later call of `kind`
  int error = 0;            // errno to fail with; 0 with a Write: cut it short instead
  std::size_t shortTo = 0;  // a cut-short Write passes at most this many bytes on
};

class FailingFileOps : public FileOps {
 public:
  explicit FailingFileOps(FileOps& inner = PosixFileOps()) : inner_(inner) {}

  // Arms a fault; several may be armed at once.
  void Arm(Fault f) { faults_.push_back(f); }
  void FailCall(OpKind kind, int nth, int error) { Arm({kind, nth, false, error, 0}); }
  void FailFrom(OpKind kind, int nth, int error) { Arm({kind, nth, true, error, 0}); }
  void ShortWrite(int nth, std::size_t bytes, bool onward = false) {
    Arm({OpKind::Write, nth, onward, 0, bytes});
  }
  // Forgets the faults and the counts.
  void Reset() {
    faults_.clear();
    counts_.fill(0);
    log_.clear();
    injected_ = 0;
  }

  int Calls(OpKind kind = OpKind::Any) const { return counts_[static_cast<int>(kind)]; }
  const std::vector<OpKind>& Log() const { return log_; }  // every call, in order
  int Injected() const { return injected_; }               // calls that were failed or cut short

  int Open(const std::string& path, int flags, mode_t mode) override {
    return Pass(OpKind::Open, [&] { return inner_.Open(path, flags, mode); });
  }
  ssize_t Read(int fd, void* buf, std::size_t n) override {
    return Pass(OpKind::Read, [&] { return inner_.Read(fd, buf, n); });
  }
  ssize_t Write(int fd, const void* buf, std::size_t n) override {
    const Fault* f = Hit(OpKind::Write);
    if (f == nullptr) return inner_.Write(fd, buf, n);
    if (f->error != 0) return Failed(*f);
    ++injected_;
    return n == 0 || f->shortTo == 0 ? 0 : inner_.Write(fd, buf, std::min(n, f->shortTo));
  }
  int Fsync(int fd) override {
    return Pass(OpKind::Fsync, [&] { return inner_.Fsync(fd); });
  }
  int Close(int fd) override {
    const Fault* f = Hit(OpKind::Close);
    int r = inner_.Close(fd);
    return f != nullptr ? Failed(*f) : r;
  }
  int Fstat(int fd, struct stat& st) override {
    return Pass(OpKind::Fstat, [&] { return inner_.Fstat(fd, st); });
  }
  int Stat(const std::string& path, struct stat& st) override {
    return Pass(OpKind::Stat, [&] { return inner_.Stat(path, st); });
  }
  int Lstat(const std::string& path, struct stat& st) override {
    return Pass(OpKind::Lstat, [&] { return inner_.Lstat(path, st); });
  }
  int Readlink(const std::string& path, std::string& target) override {
    return Pass(OpKind::Readlink, [&] { return inner_.Readlink(path, target); });
  }
  int Fchmod(int fd, mode_t mode) override {
    return Pass(OpKind::Fchmod, [&] { return inner_.Fchmod(fd, mode); });
  }
  int Fchown(int fd, uid_t uid, gid_t gid) override {
    return Pass(OpKind::Fchown, [&] { return inner_.Fchown(fd, uid, gid); });
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Pass(OpKind::Rename, [&] { return inner_.Rename(from, to); });
  }
  int Unlink(const std::string& path) override {
    return Pass(OpKind::Unlink, [&] { return inner_.Unlink(path); });
  }

 private:
  template <typename Call>
  auto Pass(OpKind kind, Call call) -> decltype(call()) {
    if (const Fault* f = Hit(kind)) return Failed(*f);
    return call();
  }
  // Counts the call and returns the fault that it meets, if any.
  const Fault* Hit(OpKind kind) {
    log_.push_back(kind);
    int own = ++counts_[static_cast<int>(kind)];
    int any = ++counts_[static_cast<int>(OpKind::Any)];
    for (const Fault& f : faults_) {
      if (f.kind != kind && f.kind != OpKind::Any) continue;
      int n = f.kind == OpKind::Any ? any : own;
      if (n == f.nth || (f.onward && n > f.nth)) return &f;
    }
    return nullptr;
  }
  int Failed(const Fault& f) {
    ++injected_;
    // A fault of kind Any armed without an errno on a call other than Write fails with EIO.
    return -(f.error != 0 ? f.error : EIO);
  }

  FileOps& inner_;
  std::vector<Fault> faults_;
  std::array<int, static_cast<int>(OpKind::Any) + 1> counts_{};
  std::vector<OpKind> log_;
  int injected_ = 0;
};

}  // namespace dlg::test
