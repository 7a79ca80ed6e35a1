#pragma once
// Where the bytes that shape a record stand: every "}", CR and LF of a text, in order. The text
// is compared 64 bytes at a time with the widest vector instructions the processor has (chosen
// once, when first asked), and the places of a block written out without a branch a place.
// Places are 32-bit, from the start of the text handed in: half the bytes written of a size_t,
// and the caller hands in no more than 1 GiB. The place of a "}" carries kClosePlace as well, so
// that a reader tells a field's end from a line's without a look back at the text.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dlg {

inline constexpr std::uint32_t kClosePlace = std::uint32_t{1} << 31;

// Writes the places of "}", CR and LF in the text's blocks of 64 bytes from `scanned` on to
// `places`, from index `count` on, and moves both on; stops once `count` reaches `enough` or
// fewer than 64 bytes are left. `places` must have room for `enough` + 64 entries; `size` must
// be below 1 GiB.
void FindPlaces(const char* text, std::size_t size, std::size_t& scanned, std::uint32_t* places,
                std::size_t& count, std::size_t enough);

// The same for the last bytes of the text, fewer than 64: adds their places, and `scanned`
// becomes the size of the text.
void FindPlacesInLastBytes(const char* text, std::size_t size, std::size_t& scanned,
                           std::uint32_t* places, std::size_t& count);

// The ways of FindPlaces that this processor can run, the one it takes first. All give the same
// places; the tests run each.
using FindPlacesFn = void (*)(const char* text, std::size_t size, std::size_t& scanned,
                              std::uint32_t* places, std::size_t& count, std::size_t enough);
struct PlacesKernel {
  const char* name;
  FindPlacesFn find;
};
const std::vector<PlacesKernel>& PlacesKernels();

}  // namespace dlg
