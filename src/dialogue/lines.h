#pragma once
// The lines of a text as the editor's files have them: a line ends at CR LF, at a CR or an LF
// standing alone, or at the end of the text. The rewrite carries lines by it and dlgcheck numbers
// them by it, so both see the same lines.

#include <cstddef>
#include <string_view>
#include <vector>

namespace dlg {

struct Line {
  std::size_t start = 0;       // first byte
  std::size_t contentEnd = 0;  // the CR or LF that ends it, or the end of the text
  std::size_t end = 0;         // first byte of the next line
};

// The first CR or LF of the text, or its size when it has none. Every line of a 125 MB copy is
// found by it at each rewrite and each Add Line: one pass for both bytes, 64 at a time, where a
// memchr for each went over every byte twice.
std::size_t FindLineBreak(const char* text, std::size_t size);
// The ways of it that this processor can run, the one it takes first; the tests run each.
using FindLineBreakFn = std::size_t (*)(const char* text, std::size_t size);
const std::vector<FindLineBreakFn>& LineBreakKernels();

// Hands out the lines of a text in order.
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

  bool Next(Line& line) {
    if (pos_ >= bytes_.size()) return false;
    line.start = pos_;
    line.contentEnd = pos_ + FindLineBreak(bytes_.data() + pos_, bytes_.size() - pos_);
    std::size_t end = line.contentEnd;
    if (end < bytes_.size()) {
      // A CR alone ends its line too: what follows it is kept as a line of its own.
      end += (bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n') ? 2 : 1;
    }
    line.end = pos_ = end;
    return true;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace dlg
