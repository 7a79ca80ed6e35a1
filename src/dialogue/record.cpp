#include "dialogue/record.h"

namespace dlg {

std::string FormatRecord(const DialogueRecord& r) {
  std::size_t size = 2 * kRecordFields.size();
  for (const RecordField& f : kRecordFields) size += (r.*f.member).size();
  std::string out;
  out.reserve(size + kLineEnd.size());  // FormatRecordLine's line end too
  for (const RecordField& f : kRecordFields) {
    out += '{';
    out += r.*f.member;
    out += '}';
  }
  return out;
}

std::string FormatRecordLine(const DialogueRecord& r) {
  std::string out = FormatRecord(r);
  out += kLineEnd;
  return out;
}

int FirstUnwritableField(const DialogueRecord& r) {
  for (std::size_t i = 0; i < kRecordFields.size(); ++i) {
    for (char c : r.*kRecordFields[i].member) {
      if (IsForbiddenFieldByte(c)) return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace dlg
