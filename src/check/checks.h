#pragma once
// The checks of dlgcheck: bytes in, findings out, each pointing at the line of the file where
// the record or the departure stands.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/conversation.h"
#include "dialogue/quoted_text.h"

namespace dlg::check {

enum class Severity : std::uint8_t { Error, Warning, Note };

struct Finding {
  int line = 0;
  Severity severity = Severity::Error;
  std::string_view check;  // one of kChecks
  std::string message;     // UTF-8; bytes of the file pass the Windows-1252 table
  // The number of the record on that line, as the file has it; none for a line without one.
  std::optional<std::string> record = std::nullopt;

  bool operator==(const Finding&) const = default;
};

struct CheckInfo {
  std::string_view name;
  Severity severity;
};

inline constexpr std::array<CheckInfo, 13> kChecks = {{
    {"missing-target", Severity::Error},
    {"duplicate-number", Severity::Error},
    {"shadowed-number", Severity::Error},
    {"syntax", Severity::Error},
    // Only with dlgcheck --against: a translated file against its source.
    {"translation", Severity::Error},
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

// The record on file line `line` (1-based), or -1 for a line that holds none.
int RecordOnLine(const Conversation& c, int line);
// Names in `f` the record on its line, if one stands there, as every finding in JSON names it.
void NameRecordOnLine(const Conversation& c, Finding& f);

// Every check over one file's conversation, sorted by line (findings of one line keep the order
// in which the checks ran).
std::vector<Finding> RunChecks(const Conversation& c);

// A finding before its message is made: where, how bad, which check, and what it says about
// which records. RunChecks makes every message at once; a view that lists many findings can make
// only those it shows.
struct Problem {
  enum class Says : std::uint8_t {
    BlankLine,
    BraceFirst,
    NoField,
    SomeFields,
    TextAfter,
    NoFinalEnd,
    FinalEndAlone,
    LfAlone,
    CrAlone,
    NumberFault,
    JumpFault,
    Duplicate,
    FirstUse,
    Shadowed,
    LookupStops,
    Unreachable,
    NoReplies,
    MissingTarget,
    ReplyTarget,
    OrphanReply,
    Order,
    IntCheck,
  };
  // The name of its check.
  std::string_view Check() const { return kChecks[check].name; }

  // A file may have a problem a record: kept to 16 bytes.
  int line = 0;
  Severity severity = Severity::Error;
  std::uint8_t check = 0;  // its place in kChecks
  Says says = Says::BlankLine;
  int record = -1;  // the record it is about, -1 for a line's
  int other = -1;   // the record it names besides; for Unreachable, 1 when a reply leads there
};
// The problems of RunChecks' findings, in the same order.
std::vector<Problem> FindProblems(const Conversation& c);
// A problem's message, the same as its finding's.
std::string ProblemMessage(const Conversation& c, const Problem& p);
// The finding of a problem, its message made and the record on its line named.
Finding FindingOf(const Conversation& c, const Problem& p);

}  // namespace dlg::check
