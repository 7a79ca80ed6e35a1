#pragma once
// The working-copy rewrite as a pure function over bytes: a copy of the working copy with one
// splice. Lines that are not replaced are carried byte for byte, whatever they hold.

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/record.h"

namespace dlg {

struct RewriteRequest {
  enum class Mode { Replace, Insert };
  Mode mode = Mode::Replace;
  // The record to write: in replace mode its lineNumber is the number looked for (lineNumber);
  // in insert mode it is the new record, written after every record numbered `insertAfter`.
  DialogueRecord record;
  std::string insertAfter;
  // Insert mode: the new record goes before the first line instead (a number below every
  // listed one, or an empty list).
  bool insertBeforeFirst = false;
};

// The new working copy as pieces, in order: runs of the old one and the written record between
// them, to be written out without first being joined into one more copy of the file.
struct RewriteSplice {
  std::vector<std::string_view> pieces;  // into the working copy given and into `record`
  std::string record;                    // the written record's line
  int recordsWritten = 0;

  RewriteSplice() = default;
  // The pieces may point into `record` itself.
  RewriteSplice(const RewriteSplice&) = delete;
  RewriteSplice& operator=(const RewriteSplice&) = delete;
};
void SpliceRecords(std::string_view workingCopy, const RewriteRequest& request,
                   RewriteSplice& splice);

// Whether a line of the working copy has `number` as its first field: a record that a rewrite
// of that number would replace, wherever it stands.
bool HoldsRecord(std::string_view workingCopy, std::string_view number);

}  // namespace dlg
