#pragma once
// A dialogue file as the checks and the map see it: its lines as an editor shows them (broken at
// CR LF, CR or LF), the record on each line read field by field with the editor's own reader,
// and the conversation those records make: line groups, where each reply leads by the editor's
// lookup, and what can be reached from the first record.
//
// A view of 100,000 records reads them all on every write of the working copy (views_bench), so
// a line and a record are kept small: a pointer to where the line starts and 32-bit sizes after
// it (16-bit ones for the fields), the fields made as views only when asked for. A line too long
// for those sizes (a record on a line of 64 KiB or more, a line of 4 GiB or more) keeps its text
// and fields whole in a list of such lines beside the conversation, shared by its copies, which
// the line or record points to.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/record.h"

namespace dlg {

enum class LineEnd : std::uint8_t { CrLf, Cr, Lf, None };

// The seven fields of a record, as views into the bytes of the file.
struct Fields {
  std::string_view lineNumber, maleText, femaleText, intCheck, conditionFlags, jumpLine,
      executionFlags;
};

inline constexpr std::string_view Fields::*kFieldOrder[] = {
    &Fields::lineNumber,     &Fields::maleText, &Fields::femaleText,    &Fields::intCheck,
    &Fields::conditionFlags, &Fields::jumpLine, &Fields::executionFlags};

// A line too long for the sizes of a line or a record, whole.
struct LongLine {
  std::string_view text;
  Fields fields;
};

inline constexpr std::uint32_t kLongLine = 0xFFFFFFFF;
// The size from which a record's line is a LongLine.
inline constexpr std::size_t kLongRecord = 0x10000;

// Line n of the file (counted from 1) is lines[n - 1].
struct FileLine {
  // Without its line end.
  std::string_view Text() const {
    if (size == kLongLine) return reinterpret_cast<const LongLine*>(start)->text;
    return {start, size};
  }

  const char* start = nullptr;  // or its LongLine, when `size` is kLongLine
  std::uint32_t size = 0;
  LineEnd end = LineEnd::None;
  std::uint8_t fieldCount = 0;  // fields closed by "}" on the line, at most 7
  bool textAfter = false;       // something follows the seventh "}"
};

enum class TargetKind : std::uint8_t { None, End, Missing, Record };

struct Target {
  TargetKind kind = TargetKind::None;
  // Record: the one found. Missing: the record that has the number although the lookup never
  // gets to it, or -1 when no record has it.
  int record = -1;
};

struct Record {
  // Field k runs from the byte after its opener (the line's first byte, or the byte after the
  // "}" before) through its own "}"; a "}" as opener closes an empty field.
  [[gnu::always_inline]] std::string_view Field(int k) const {
    if (k >= fieldCount) return {};
    if (longLine) [[unlikely]]
      return reinterpret_cast<const LongLine*>(start)->fields.*kFieldOrder[k];
    const std::uint32_t open = k == 0 ? 0 : close[k - 1] + 1, end = close[k];
    return {start + open + 1, end - open - (end != open)};
  }
  [[gnu::always_inline]] dlg::Fields Fields() const {
    return {Field(0), Field(1), Field(2), Field(3), Field(4), Field(5), Field(6)};
  }

  const char* start = nullptr;  // of its line; or its LongLine, when `longLine`
  // Where each "}" of a field stands, from `start` on: a line of 64 KiB or more keeps its
  // fields in a LongLine instead, so that these fit in 16 bits and a record in 40 bytes.
  std::uint16_t close[7] = {};
  std::uint8_t fieldCount = 0;
  bool npc = false;
  bool longLine = false;
  // Known while the read had the bytes at hand, so that the checks need not go back to them:
  // its number and, for a reply that leads to a line, its jump are plain decimal numbers the
  // index keeps by value (false tells nothing);
  bool plainNumbers = false;
  // its number and the one of the record before are decimal digits, and its value the smaller;
  bool descends = false;
  // it has an intelligence check that is no whole number.
  bool oddIntCheck = false;
  int line = 0;        // the file line it stands on
  int group = -1;      // the NPC line the record belongs to (itself for one), -1 before any
  int replyCount = 0;  // replies after an NPC line, up to the next one
};

// A record whose lookup of its own number stops at an earlier record (a duplicate or a longer
// number before it); rare, and so kept apart from the records.
struct Shadowed {
  int record;
  int foundBy;
};

struct Conversation {
  std::vector<FileLine> lines;
  std::vector<Record> records;
  // Per record, in the same order; known only once every record is read, and so kept apart:
  std::vector<Target> target;                             // where a reply leads; None for NPC lines
  std::vector<Shadowed> shadowed;                         // in record order
  std::shared_ptr<const std::deque<LongLine>> longLines;  // see above; none in most files

  // The record a lookup of record `i`'s own number stops at: `i` itself unless it is shadowed.
  int FoundBy(int i) const {
    if (shadowed.empty()) return i;
    return FoundAmongShadowed(i);
  }

 private:
  int FoundAmongShadowed(int i) const;
};

// The records view `bytes`, which must outlive the conversation. The lines and fields are those
// of the editor's field reader (ScanField), a line broken at CR LF, CR or LF, found 64 bytes at a
// time.
Conversation ReadConversation(std::string_view bytes);
Conversation ReadConversation(std::string&& bytes) = delete;  // would leave the views dangling

// Per record, whether it is reached from the first record by replies and jumps (0 or 1). Asked
// by the checks and the map, not by every read: the outline and find views have no use for it,
// and the walk costs a tenth of a read (views_bench).
std::vector<char> Reachable(const Conversation& c);

}  // namespace dlg
