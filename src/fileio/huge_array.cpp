#include "fileio/huge_array.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace dlg {

namespace {

// Below this a room is an ordinary allocation: a list of a few replies takes no huge page.
constexpr std::size_t kMappedFrom = std::size_t{1} << 20;

std::size_t RoundUp(std::size_t bytes) { return (bytes + kHugePage - 1) & ~(kHugePage - 1); }

}  // namespace

void* TakeRoom(std::size_t& bytes) {
  if (bytes < kMappedFrom) {
    void* room = std::malloc(bytes == 0 ? 1 : bytes);
    if (room == nullptr) throw std::bad_alloc();
    return room;
  }
  bytes = RoundUp(bytes);
  // One huge page more than asked for, so that an aligned stretch lies inside; the rest is
  // given back at once.
  const std::size_t mapped = bytes + kHugePage;
  void* map = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  const auto begin = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t aligned = (begin + kHugePage - 1) & ~std::uintptr_t{kHugePage - 1};
  if (aligned > begin) ::munmap(map, aligned - begin);
  const std::uintptr_t end = begin + mapped;
  if (end > aligned + bytes)
    ::munmap(reinterpret_cast<void*>(aligned + bytes), end - aligned - bytes);
  // Only a hint; small pages serve as well.
  ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
  return reinterpret_cast<void*>(aligned);
}

void GiveBackRoom(void* room, std::size_t bytes) noexcept {
  if (room == nullptr) return;
  if (bytes < kMappedFrom) {
    std::free(room);
  } else {
    ::munmap(room, RoundUp(bytes));
  }
}

}  // namespace dlg
