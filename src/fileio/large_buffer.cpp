#include "fileio/large_buffer.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstring>

#include "fileio/huge_array.h"

namespace dlg {
namespace {

// Asks for huge pages in the untouched memory [data, data + size), where it holds whole ones.
void AdviseHugePages(const void* data, std::size_t size) {
  // Only a hint; small pages serve as well. Only whole huge pages inside the room are asked
  // for, so nothing is rounded up; a first touch costs as much per small page as per huge one.
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = (begin + size) & ~(kHugePage - 1);
  if (to > from) ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

}  // namespace

void ReserveForFile(std::string& bytes, std::size_t size) {
  bytes.clear();
  if (bytes.capacity() >= size) return;
  // A string this large is a mapping of its own, not yet touched: the huge pages are asked for
  // before the first byte is written.
  bytes.reserve(size);
  AdviseHugePages(bytes.data(), bytes.capacity());
}

std::size_t EstimateLines(std::string_view bytes) {
  constexpr std::size_t kSample = 64 << 10;
  const std::string_view sample = bytes.substr(0, kSample);
  std::size_t lines = 0;
  for (const char *p = sample.data(), *end = p + sample.size();
       (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
       ++p) {
    ++lines;
  }
  if (sample.size() == bytes.size() || lines == 0) return lines + 1;
  // A little more than the first part promises: growing the list once more would move it all.
  return bytes.size() / sample.size() * lines * 9 / 8 + 16;
}

}  // namespace dlg
