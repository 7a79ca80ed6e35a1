#include "dialogue/late_close.h"

#include <fcntl.h>
#include <unistd.h>

namespace dlg {

namespace {

// Below this the freeing is quick anyway.
constexpr off_t kHeldFrom = off_t{1} << 20;

}  // namespace

int LateClose::Hold(const std::string& path, const struct stat* old) {
  if (old == nullptr || !S_ISREG(old->st_mode) || old->st_size < kHeldFrom) return -1;
  // Not through the file seam: holding changes nothing on disk, and a failure only costs time.
  return ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

void LateClose::Close(int fd) {
  if (fd >= 0 && !closer_.Post([fd] { ::close(fd); })) ::close(fd);
}

void LateClose::Settle() { closer_.Settle(); }

}  // namespace dlg
