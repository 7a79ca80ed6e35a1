#pragma once
// What every fuzz target shares: a check that prints what broke and aborts, so libFuzzer keeps
// the input, and a way to start a reader at an arbitrary point of the bytes.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dialogue/char_source.h"

namespace dlg::fuzz {

[[noreturn]] inline void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
  std::abort();
}

#define FUZZ_CHECK(cond)                                       \
  do {                                                         \
    if (!(cond)) ::dlg::fuzz::Fail(#cond, __FILE__, __LINE__); \
  } while (0)

inline std::string Bytes(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// A source that has already consumed `skip` bytes, the way a reader finds the file when an
// earlier operation has moved it on.
inline CharSource SourceAt(std::string bytes, std::size_t skip) {
  CharSource src(std::move(bytes));
  while (skip-- > 0 && !src.AtEnd()) src.Read();
  return src;
}

// The reader never stands past the end, and every byte it consumed was really there.
inline void CheckInBounds(const CharSource& src) {
  FUZZ_CHECK(src.Position() <= src.Bytes().size());
}

inline bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

}  // namespace dlg::fuzz
