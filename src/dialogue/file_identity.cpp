#include "dialogue/file_identity.h"

#include <algorithm>
#include <cstring>

namespace dlg {
namespace {

constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15u;

std::uint64_t Load64(const unsigned char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint64_t Rotl(std::uint64_t v, int n) { return (v << n) | (v >> (64 - n)); }

std::uint64_t Mix(std::uint64_t lane, std::uint64_t word) {
  return Rotl(lane, 23) + (word ^ kPrime) * kPrime;
}

// Spreads every input bit over the whole value (the finaliser of MurmurHash3).
std::uint64_t Avalanche(std::uint64_t h) {
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDu;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53u;
  h ^= h >> 33;
  return h;
}

}  // namespace

void FastHash::Block(const unsigned char* p) {
  for (int i = 0; i < 8; ++i) lanes_[i] = Mix(lanes_[i], Load64(p + 8 * i));
}

void FastHash::Add(std::string_view bytes) {
  auto p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t left = bytes.size();
  total_ += left;
  if (tailSize_ > 0) {
    const std::size_t take = std::min(left, sizeof tail_ - tailSize_);
    std::memcpy(tail_ + tailSize_, p, take);
    tailSize_ += take;
    p += take;
    left -= take;
    if (tailSize_ < sizeof tail_) return;
    Block(tail_);
    tailSize_ = 0;
  }
  for (; left >= sizeof tail_; p += sizeof tail_, left -= sizeof tail_) Block(p);
  std::memcpy(tail_, p, left);
  tailSize_ = left;
}

std::uint64_t FastHash::Value() const {
  FastHash last = *this;
  std::memset(last.tail_ + tailSize_, 0, sizeof tail_ - tailSize_);
  if (tailSize_ > 0) last.Block(last.tail_);
  std::uint64_t h = total_ * kPrime;
  for (std::uint64_t lane : last.lanes_) h = Avalanche(h ^ lane) + kPrime;
  return Avalanche(h);
}

std::uint64_t HashOf(std::string_view bytes) {
  FastHash h;
  h.Add(bytes);
  return h.Value();
}

FileIdentity FileIdentity::Of(const struct stat& st, std::uint64_t hash) {
  return {true, st.st_dev, st.st_ino, st.st_size, st.st_mtim, hash};
}

bool FileIdentity::SamePlace(const struct stat& st) const {
  return known && st.st_dev == device && st.st_ino == inode;
}

bool FileIdentity::SameStat(const struct stat& st) const {
  return SamePlace(st) && st.st_size == size && st.st_mtim.tv_sec == mtime.tv_sec &&
         st.st_mtim.tv_nsec == mtime.tv_nsec;
}

}  // namespace dlg
