// The rewrite walks the working copy line by line and copies untouched lines as whole runs of
// bytes; only a replaced or inserted record is laid out anew. A line ends at CR LF, at a CR or
// an LF standing alone, or at the end of the file, and a carried line keeps its own ending, so
// no byte of a line that is not replaced is lost or changed.

#include "dialogue/rewrite.h"

#include <cstring>

namespace dlg {
namespace {

struct Line {
  std::size_t start = 0;       // first byte
  std::size_t contentEnd = 0;  // the CR or LF that ends it, or the end of the file
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

// Whether the first field of a line without its ending is `wanted` (not empty, no "}"). The
// opener may be any byte, a "}" opener gives an empty field, and the text runs to the next "}"
// or to the end of the line: so only the bytes that `wanted` would take are looked at.
bool FirstFieldIs(std::string_view content, std::string_view wanted) {
  const std::size_t n = wanted.size();
  return content.size() > n && content[0] != '}' &&
         (content.size() == n + 1 || content[n + 1] == '}') && content.compare(1, n, wanted) == 0;
}

}  // namespace

void SpliceRecords(std::string_view workingCopy, const RewriteRequest& request,
                   RewriteSplice& splice) {
  splice.pieces.clear();
  splice.recordsWritten = 0;
  splice.record = FormatRecordLine(request.record);
  const std::string_view written = splice.record;
  const bool insert = request.mode == RewriteRequest::Mode::Insert;
  // An empty number names no record: a line with an empty first field is never matched.
  const std::string& wanted = insert ? request.insertAfter : request.record.lineNumber;
  auto carry = [&](std::string_view run) {
    if (!run.empty()) splice.pieces.push_back(run);
  };

  if (insert && request.insertBeforeFirst) {
    splice.pieces.push_back(written);
    carry(workingCopy);
    splice.recordsWritten = 1;
    return;
  }
  // A first field never holds a "}".
  if (wanted.empty() || wanted.find('}') != std::string::npos) {
    carry(workingCopy);
    return;
  }

  std::size_t carriedFrom = 0;  // start of the run of lines not yet carried
  LineCursor cursor(workingCopy);
  Line line;
  while (cursor.Next(line)) {
    const std::string_view content = workingCopy.substr(line.start, line.contentEnd - line.start);
    if (!FirstFieldIs(content, wanted)) continue;
    if (insert) {
      carry(workingCopy.substr(carriedFrom, line.end - carriedFrom));
      // The last line may lack its ending; the new record must not join it.
      if (line.end == line.contentEnd) splice.pieces.push_back(kLineEnd);
    } else {
      carry(workingCopy.substr(carriedFrom, line.start - carriedFrom));
    }
    splice.pieces.push_back(written);
    carriedFrom = line.end;
    ++splice.recordsWritten;
  }
  carry(workingCopy.substr(carriedFrom));
}

bool HoldsRecord(std::string_view workingCopy, std::string_view number) {
  if (number.empty() || number.find('}') != std::string_view::npos) return false;
  LineCursor cursor(workingCopy);
  Line line;
  while (cursor.Next(line)) {
    if (FirstFieldIs(workingCopy.substr(line.start, line.contentEnd - line.start), number)) {
      return true;
    }
  }
  return false;
}

}  // namespace dlg
