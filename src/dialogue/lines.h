#pragma once
// The lines of a text as the editor's files have them: a line ends at CR LF, at a CR or an LF
// standing alone, or at the end of the text. The rewrite carries lines by it and dlgcheck numbers
// them by it, so both see the same lines.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace dlg {

struct Line {
  std::size_t start = 0;       // first byte
  std::size_t contentEnd = 0;  // the CR or LF that ends it, or the end of the text
  std::size_t end = 0;         // first byte of the next line
};

// Hands out the lines of a text in order. The next CR and the next LF are looked up with memchr
// and kept until the cursor passes them, so each byte is searched once.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes)
      : bytes_(bytes), nextCR_(Find('\r', 0)), nextLF_(Find('\n', 0)) {}

  bool Next(Line& line) {
    if (pos_ >= bytes_.size()) return false;
    if (nextCR_ < pos_) nextCR_ = Find('\r', pos_);
    if (nextLF_ < pos_) nextLF_ = Find('\n', pos_);
    line.start = pos_;
    line.contentEnd = nextCR_ < nextLF_ ? nextCR_ : nextLF_;
    std::size_t end = line.contentEnd;
    if (end < bytes_.size()) {
      // A CR alone ends its line too: what follows it is kept as a line of its own.
      end += (bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ? 2 : 1;
    }
    line.end = pos_ = end;
    return true;
  }

 private:
  std::size_t Find(char c, std::size_t from) const {
    if (from >= bytes_.size()) return bytes_.size();
    const void* hit = std::memchr(bytes_.data() + from, c, bytes_.size() - from);
    return hit == nullptr ? bytes_.size()
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_.data());
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t nextCR_;
  std::size_t nextLF_;
};

}  // namespace dlg
