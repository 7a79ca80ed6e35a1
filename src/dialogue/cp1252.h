#pragma once
// Windows-1252 without any toolkit: the code point of every byte. The five bytes the code page
// leaves unassigned stand for the control characters of the same value, so every byte is one
// character and each character comes from one byte.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dlg {

// 0x80 to 0x9F; every other byte is the code point of the same value.
inline constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

inline char16_t Cp1252CodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kCp1252High[byte - 0x80];
  return static_cast<char16_t>(byte);
}

// The byte that stands for a character, or nothing for a character outside the table.
inline std::optional<unsigned char> Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

// Appends a code point of the Basic Multilingual Plane as UTF-8.
inline void AppendUtf8(std::string& out, char16_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The bytes of a file as the editor shows them, in UTF-8.
inline std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, Cp1252CodePoint(static_cast<unsigned char>(b)));
  return out;
}

}  // namespace dlg
