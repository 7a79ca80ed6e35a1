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
bool IsNpcJump(std::string_view jumpLine);

// "{" field "}" seven times, without the line end.
std::string FormatRecord(const DialogueRecord& r);
// The record as one line of the file: FormatRecord followed by CR LF.
std::string FormatRecordLine(const DialogueRecord& r);

// The field names as the user knows them, in record order, for messages.
inline constexpr std::array<std::string_view, 7> kFieldLabels = {
    "Line Number:",       "Male Dialogue:", "Female Dialogue:", "Intelligence Check:",
    "Conditional Flags:", "Jump to Line:",  "Executuion Flags:"};

// A byte that a field cannot hold without reading back differently: "}", CR or LF.
inline bool IsForbiddenFieldByte(char c) { return c == '}' || c == '\r' || c == '\n'; }

// The first field (0..6) that holds "}", CR or LF, or -1 when the record writes cleanly.
int FirstUnwritableField(const DialogueRecord& r);

}  // namespace dlg
