// The rewrite walks the working copy line by line and copies untouched lines as whole runs of
// bytes; only a replaced or inserted record is laid out anew. A line ends at CR LF, at a CR or
// an LF standing alone, or at the end of the file, and a carried line keeps its own ending, so
// no byte of a line that is not replaced is lost or changed.

#include "dialogue/rewrite.h"

#include "dialogue/lines.h"
#include "dialogue/record_line.h"

namespace dlg {

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
    if (!LineNumberIs(content, wanted)) continue;
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
    if (LineNumberIs(workingCopy.substr(line.start, line.contentEnd - line.start), number)) {
      return true;
    }
  }
  return false;
}

}  // namespace dlg
