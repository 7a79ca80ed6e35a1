#include "dialogue/record.h"

namespace dlg {

bool IsNpcJump(std::string_view jumpLine) { return jumpLine.empty() || jumpLine == " "; }

std::string FormatRecord(const DialogueRecord& r) {
  std::string out;
  out.reserve(16 + r.lineNumber.size() + r.maleText.size() + r.femaleText.size() +
              r.intCheck.size() + r.conditionFlags.size() + r.jumpLine.size() +
              r.executionFlags.size());
  for (const std::string* f : {&r.lineNumber, &r.maleText, &r.femaleText, &r.intCheck,
                               &r.conditionFlags, &r.jumpLine, &r.executionFlags}) {
    out += '{';
    out += *f;
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
  const std::string* fields[] = {&r.lineNumber,     &r.maleText, &r.femaleText,    &r.intCheck,
                                 &r.conditionFlags, &r.jumpLine, &r.executionFlags};
  for (int i = 0; i < 7; ++i) {
    for (char c : *fields[i]) {
      if (IsForbiddenFieldByte(c)) return i;
    }
  }
  return -1;
}

}  // namespace dlg
