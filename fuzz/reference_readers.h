#pragma once
// Readers of the record syntax a character at a time, as the editor's reading is written down:
// the models that the fuzz targets hold the editor's faster readers to, and the yardstick of the
// reader benchmark. The editor itself uses none of them.

#include <string>

#include "dialogue/char_source.h"

namespace dlg {

// Moves from inside a record to just after the first character of the next record, leaving that
// character in `currentChar` (the LF when the file ends after the CR LF). Returns false when the
// end of the file came before a CR.
inline bool SkipToNextRecord(CharSource& src, Char& currentChar) {
  // At least one character is read, even when currentChar is a CR already.
  currentChar = src.SkipThrough('\r');
  if (currentChar == kNoChar) return false;
  Char lf = src.Read();  // taken as the LF whatever it is
  if (lf == kNoChar) return false;
  currentChar = lf;
  if (!src.AtEnd()) currentChar = src.Read();
  return true;
}

// Reads one field into `fieldValue` with its own character `fieldChar`. At the end of the file
// nothing is read. A CR opener, or a CR before the closing "}", ends the field there.
inline void ReadField(CharSource& src, std::string& fieldValue, Char& fieldChar) {
  fieldValue.clear();
  if (src.AtEnd()) return;
  fieldChar = src.Read();
  if (fieldChar == kCR || fieldChar == kClose) return;
  for (;;) {
    if (src.AtEnd()) return;
    fieldChar = src.Read();
    // A CR before the closing brace ends the field, so the caller can go on with the line.
    if (fieldChar == kClose || fieldChar == kCR) return;
    AppendChar(fieldValue, fieldChar);
  }
}

}  // namespace dlg
