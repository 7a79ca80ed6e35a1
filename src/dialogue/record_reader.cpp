#include "dialogue/record_reader.h"

namespace dlg {

bool ScanField(CharSource& src, Char& ch, std::string& dest) {
  ch = src.Read();  // the opener, whatever it is
  if (ch == kNoChar) return false;
  if (ch == kClose) return true;
  ch = src.ReadThrough('}', dest);
  return ch != kNoChar;
}

bool ScanField(CharSource& src, Char& ch, std::string_view& field) {
  field = {};
  ch = src.Read();
  if (ch == kNoChar) return false;
  if (ch == kClose) return true;
  ch = src.ReadThrough('}', field);
  return ch != kNoChar;
}

bool SkipToNextRecord(CharSource& src, Char& currentChar) {
  // At least one character is read, even when currentChar is a CR already.
  currentChar = src.SkipThrough('\r');
  if (currentChar == kNoChar) return false;
  Char lf = src.Read();  // taken as the LF whatever it is
  if (lf == kNoChar) return false;
  currentChar = lf;
  if (!src.AtEnd()) currentChar = src.Read();
  return true;
}

void ReadField(CharSource& src, std::string& fieldValue, Char& fieldChar) {
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
