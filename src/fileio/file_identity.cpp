#include "fileio/file_identity.h"

#include <xxhash.h>

#include <new>

namespace dlg {

ContentHash::ContentHash() : state_(XXH3_createState()) {
  if (state_ == nullptr) throw std::bad_alloc();
  XXH3_64bits_reset(state_);
}

ContentHash::~ContentHash() { XXH3_freeState(state_); }

void ContentHash::Add(std::string_view bytes) {
  XXH3_64bits_update(state_, bytes.data(), bytes.size());
}

std::uint64_t ContentHash::Value() const { return XXH3_64bits_digest(state_); }

std::uint64_t HashOf(std::string_view bytes) { return XXH3_64bits(bytes.data(), bytes.size()); }

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
