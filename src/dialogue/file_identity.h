#pragma once
// What a file was when the editor last read or wrote it, so that a change by another program is
// seen: where it lives, its size and time, and a fast hash of its bytes. The hash rides on reads
// and writes that are made anyway; it guards against accidents, not against an attacker.

#include <sys/stat.h>

#include <cstdint>
#include <string_view>

namespace dlg {

// 64-bit hash over eight independent lanes, fed in pieces of any size. Each word is multiplied
// apart from the lane's chain, which is only a rotation and an addition long, so the hash runs
// near the speed of memory.
class FastHash {
 public:
  void Add(std::string_view bytes);
  std::uint64_t Value() const;

 private:
  void Block(const unsigned char* p);
  std::uint64_t lanes_[8] = {0x243F6A8885A308D3u, 0x13198A2E03707344u, 0xA4093822299F31D0u,
                             0x082EFA98EC4E6C89u, 0x452821E638D01377u, 0xBE5466CF34E90C6Cu,
                             0xC0AC29B7C97C50DDu, 0x3F84D5B5B5470917u};
  unsigned char tail_[64] = {};
  std::size_t tailSize_ = 0;
  std::uint64_t total_ = 0;
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
