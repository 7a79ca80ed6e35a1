#pragma once
// The checks of dlgcheck: bytes in, findings out, each pointing at the line of the file where
// the record or the departure stands.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/conversation.h"

namespace dlg::check {

enum class Severity { Error, Warning, Note };

struct Finding {
  int line = 0;
  Severity severity = Severity::Error;
  std::string_view check;  // one of kChecks
  std::string message;     // UTF-8; bytes of the file pass the Windows-1252 table

  bool operator==(const Finding&) const = default;
};

struct CheckInfo {
  std::string_view name;
  Severity severity;
};

inline constexpr std::array<CheckInfo, 12> kChecks = {{
    {"missing-target", Severity::Error},
    {"duplicate-number", Severity::Error},
    {"shadowed-number", Severity::Error},
    {"syntax", Severity::Error},
    {"unreachable", Severity::Warning},
    {"reply-target", Severity::Warning},
    {"orphan-reply", Severity::Warning},
    {"no-replies", Severity::Warning},
    {"number", Severity::Warning},
    {"order", Severity::Warning},
    {"int-check", Severity::Warning},
    {"final-line-end", Severity::Warning},
}};

// The check's own spelling, or nothing for a name that is not a check.
std::optional<std::string_view> FindCheck(std::string_view name);

// Every check over one file's conversation, sorted by line (findings of one line keep the order
// in which the checks ran).
std::vector<Finding> RunChecks(const Conversation& c);
inline std::vector<Finding> CheckDialogue(std::string_view bytes) {
  return RunChecks(ReadConversation(bytes));
}

// A field's text as a message shows it: in quotes, through the Windows-1252 table, with control
// characters, quotes and backslashes escaped and long text cut short.
std::string Quoted(std::string_view bytes);
// A line number as messages name it: plain digits as they are, anything else quoted.
std::string NumberText(std::string_view number);

}  // namespace dlg::check
