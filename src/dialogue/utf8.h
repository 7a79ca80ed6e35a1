#pragma once
// Reading UTF-8 one sequence at a time, for text that may or may not be UTF-8: report messages
// that quote a file's bytes, and file names handed between UTF-8 and Windows' UTF-16.

#include <cstddef>
#include <string_view>

namespace dlg {

// The code point of the sequence at `s[i]` and its length, or length 0 when the bytes there are
// not one (overlong, cut short, beyond U+10FFFF). Surrogates pass, as WTF-8 has them: a caller
// that wants strict UTF-8 refuses them itself.
inline std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n = 0;
  if (b < 0x80) {
    cp = b;
    return 1;
  }
  if ((b & 0xE0) == 0xC0) {
    n = 2, cp = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    n = 3, cp = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    n = 4, cp = b & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  return cp < kLeast[n] || cp > 0x10FFFF ? 0 : n;
}

// Whether all of `s` is strict UTF-8: no surrogate stands alone in it.
inline bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t n = DecodeUtf8(s, i, cp);
    if (n == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += n;
  }
  return true;
}

}  // namespace dlg
