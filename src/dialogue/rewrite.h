#pragma once
// The working-copy rewrite as a pure function over bytes: a copy of the working copy with one
// splice. Lines that are not replaced are carried byte for byte, whatever they hold.

#include <string>
#include <string_view>

#include "dialogue/record.h"

namespace dlg {

struct RewriteRequest {
  enum class Mode { Replace, Insert };
  Mode mode = Mode::Replace;
  // The record to write: in replace mode its lineNumber is the number looked for (txtLineNum);
  // in insert mode it is the new record, written after every record numbered `insertAfter`.
  DialogueRecord record;
  std::string insertAfter;
  // Insert mode: the new record goes before the first line instead (a number below every
  // listed one, or an empty list).
  bool insertBeforeFirst = false;
};

struct RewriteResult {
  std::string bytes;      // the new working copy
  int recordsWritten = 0; // replaced or inserted records
};

RewriteResult RewriteRecords(std::string_view workingCopy, const RewriteRequest& request);
// The same into `result`, reusing the memory that its bytes already hold.
void RewriteRecords(std::string_view workingCopy, const RewriteRequest& request,
                    RewriteResult& result);

}  // namespace dlg
