#include "dialogue/record_reader.h"

namespace dlg {

bool ScanField(CharSource& src, Char& ch, std::string_view& field) {
  field = {};
  ch = src.Read();  // the opener, whatever it is
  if (ch == kNoChar) return false;
  if (ch == kClose) return true;
  ch = src.ReadThrough('}', field);
  return ch != kNoChar;
}

bool ScanField(CharSource& src, Char& ch, std::string& dest) {
  std::string_view field;
  const bool complete = ScanField(src, ch, field);
  dest.append(field);
  return complete;
}

}  // namespace dlg
