#pragma once
// The rewrite joined into one string, for checking its bytes: the editor itself writes the
// spliced pieces straight to the file.

#include <string>
#include <string_view>

#include "dialogue/rewrite.h"

namespace dlg {

struct RewriteResult {
  std::string bytes;       // the new working copy
  int recordsWritten = 0;  // replaced or inserted records
};

inline RewriteResult RewriteRecords(std::string_view workingCopy, const RewriteRequest& request) {
  RewriteSplice splice;
  SpliceRecords(workingCopy, request, splice);
  RewriteResult result;
  for (std::string_view piece : splice.pieces) result.bytes.append(piece);
  result.recordsWritten = splice.recordsWritten;
  return result;
}

}  // namespace dlg
