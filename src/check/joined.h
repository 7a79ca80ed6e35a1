#pragma once
// Texts joined into one string, sized once and filled by copies: rows and messages are made by
// the hundred thousand for a long file, and append's checks on every piece cost more than the
// copies themselves.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace dlg::check {

template <std::size_t N>
constexpr std::string_view Piece(const char (&literal)[N]) {
  return {literal, N - 1};  // its size known when compiled, not counted at run time
}
inline std::string_view Piece(std::string_view text) { return text; }

template <typename... Pieces>
std::string Joined(const Pieces&... pieces) {
  std::string out((Piece(pieces).size() + ...), '\0');
  char* at = out.data();
  ((at = std::copy_n(Piece(pieces).data(), Piece(pieces).size(), at)), ...);
  return out;
}

}  // namespace dlg::check
