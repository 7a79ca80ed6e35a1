#pragma once
// The dialogue record: seven brace-delimited fields on one line ended by CR LF.

#include <array>
#include <string>
#include <string_view>

namespace dlg {

struct DialogueRecord {
  std::string lineNumber;
  std::string maleText;
  std::string femaleText;
  std::string intCheck;
  std::string conditionFlags;
  std::string jumpLine;
  std::string executionFlags;

  bool operator==(const DialogueRecord&) const = default;
};

inline constexpr std::string_view kLineEnd = "\r\n";

// A record is an NPC line when its jump field is exactly "" or exactly " ".
inline bool IsNpcJump(std::string_view jumpLine) {
  return jumpLine.empty() || (jumpLine.size() == 1 && jumpLine[0] == ' ');
}

// "{" field "}" seven times, without the line end.
std::string FormatRecord(const DialogueRecord& r);
// The record as one line of the file: FormatRecord followed by CR LF.
std::string FormatRecordLine(const DialogueRecord& r);

// The seven fields in record order, each with the name the user knows it by, for messages.
struct RecordField {
  std::string DialogueRecord::*member;
  std::string_view label;
};
inline constexpr std::array<RecordField, 7> kRecordFields = {{
    {&DialogueRecord::lineNumber, "Line Number:"},
    {&DialogueRecord::maleText, "Male Dialogue:"},
    {&DialogueRecord::femaleText, "Female Dialogue:"},
    {&DialogueRecord::intCheck, "Intelligence Check:"},
    {&DialogueRecord::conditionFlags, "Conditional Flags:"},
    {&DialogueRecord::jumpLine, "Jump to Line:"},
    {&DialogueRecord::executionFlags, "Executuion Flags:"},
}};

// A byte that a field cannot hold without reading back differently: "}", CR or LF.
inline bool IsForbiddenFieldByte(char c) { return c == '}' || c == '\r' || c == '\n'; }

// The first field (0..6) that holds "}", CR or LF, or -1 when the record writes cleanly.
int FirstUnwritableField(const DialogueRecord& r);

}  // namespace dlg
