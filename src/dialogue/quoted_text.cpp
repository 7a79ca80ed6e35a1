#include "dialogue/quoted_text.h"

#include "dialogue/cp1252.h"
#include "dialogue/number_rules.h"
#include "dialogue/utf8.h"

namespace dlg {

namespace {

// Long enough for any line number or check value met in practice; a hostile field is not
// copied whole into every message about it.
constexpr std::size_t kShownBytes = 40;

}  // namespace

void AppendHexByte(std::string& out, unsigned char b) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[b >> 4];
  out += kHex[b & 15];
}

std::string Quoted(std::string_view bytes) {
  std::string out = "\"";
  const bool cut = bytes.size() > kShownBytes;
  for (char ch : bytes.substr(0, kShownBytes)) {
    const auto b = static_cast<unsigned char>(ch);
    const char16_t cp = Cp1252CodePoint(b);
    if (IsControlCharacter(cp)) {
      AppendHexByte(out, b);  // keeps a terminal or an editor's parser safe from the file
    } else {
      if (ch == '"' || ch == '\\') out += '\\';
      AppendUtf8(out, cp);
    }
  }
  out += cut ? "\"..." : "\"";
  return out;
}

std::string VisibleText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    const char16_t cp = Cp1252CodePoint(b);
    if (IsControlCharacter(cp) && ch != '\t' && ch != '\n') {
      AppendHexByte(out, b);
    } else {
      AppendUtf8(out, cp);
    }
  }
  return out;
}

std::string NameShown(std::string_view path) {
  const bool utf8 = IsUtf8(path);
  std::string out;
  for (std::size_t i = 0; i < path.size();) {
    char32_t cp = static_cast<unsigned char>(path[i]);
    const std::size_t n = utf8 ? DecodeUtf8(path, i, cp) : 1;
    if (!utf8) cp = Cp1252CodePoint(static_cast<unsigned char>(path[i]));
    for (std::size_t k = i; k < i + n; ++k) {
      if (IsControlCharacter(cp)) {
        AppendHexByte(out, static_cast<unsigned char>(path[k]));
      } else if (utf8) {
        out += path[k];
      } else {
        AppendUtf8(out, static_cast<char16_t>(cp));
      }
    }
    i += n;
  }
  return out;
}

std::string NumberText(std::string_view number) {
  return IsDigits(number) && number.size() <= kShownBytes ? std::string(number) : Quoted(number);
}

}  // namespace dlg
