#include "fileio/late_close.h"

namespace dlg {

namespace {

// Below this the freeing is quick anyway.
constexpr off_t kHeldFrom = off_t{1} << 20;

}  // namespace

int LateClose::Hold(const std::string& path, const struct stat* old) {
  if (old == nullptr || !S_ISREG(old->st_mode) || old->st_size < kHeldFrom) return -1;
  // Holding changes nothing on disk: a failure only costs time.
  const int fd = ops_.Open(path, kOpenToRead | O_NOFOLLOW, 0);
  return fd < 0 ? -1 : fd;
}

// A close that fails has let the descriptor go all the same, and the file held no new bytes.
void LateClose::Close(int fd) {
  if (fd >= 0 && !closer_.Post([this, fd] { ops_.Close(fd); })) ops_.Close(fd);
}

void LateClose::Settle() { closer_.Settle(); }

}  // namespace dlg
