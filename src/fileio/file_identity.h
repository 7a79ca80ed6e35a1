#pragma once
// What a file was when the editor last read or wrote it, so that a change by another program is
// seen: where it lives, its size and time, and a hash of its bytes. The hash rides on reads and
// writes that are made anyway; it guards against accidents, not against an attacker.

#include <sys/stat.h>

#include <cstdint>
#include <string_view>

struct XXH3_state_s;

namespace dlg {

// XXH3 (64 bits) fed in pieces of any size: the same value as HashOf over the pieces joined. It
// runs faster than memory is read, so hashing what passes costs next to nothing.
class ContentHash {
 public:
  ContentHash();
  ~ContentHash();
  ContentHash(const ContentHash&) = delete;
  ContentHash& operator=(const ContentHash&) = delete;

  void Add(std::string_view bytes);
  std::uint64_t Value() const;

 private:
  XXH3_state_s* state_;
};

std::uint64_t HashOf(std::string_view bytes);

struct FileIdentity {
  bool known = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec mtime{};
  std::uint64_t hash = 0;

  static FileIdentity Of(const struct stat& st, std::uint64_t hash);
  // Same place, size and time: the bytes need not be read again to know they are the same.
  bool SameStat(const struct stat& st) const;
  bool SamePlace(const struct stat& st) const;
};

}  // namespace dlg
