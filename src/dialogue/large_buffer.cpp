#include "dialogue/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>

namespace dlg {
namespace {

constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
// Below this a file is read into small pages: few of them, and no rounding up to be paid for.
constexpr std::size_t kHugeFrom = std::size_t{16} << 20;

}  // namespace

void ReserveForFile(std::string& bytes, std::size_t size) {
  bytes.clear();
  if (bytes.capacity() >= size) return;
  bytes.reserve(size);
  if (size < kHugeFrom) return;
  // A string this large is a mapping of its own, not yet touched: the whole huge pages inside it
  // are asked for before the first byte is written. Only a hint; small pages serve as well.
  const auto begin = reinterpret_cast<std::uintptr_t>(bytes.data());
  const std::uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = (begin + bytes.capacity()) & ~(kHugePage - 1);
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace dlg
