#pragma once
// A dialogue file as the checks and the map see it: its lines as an editor shows them (broken at
// CR LF, CR or LF), the record on each line read field by field with the editor's own reader,
// and the conversation those records make: line groups, where each reply leads by the editor's
// lookup, and what can be reached from the first record.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dialogue/record.h"

namespace dlg {

enum class LineEnd { CrLf, Cr, Lf, None };

struct FileLine {
  int number = 0;         // counted from 1
  std::string_view text;  // without its line end
  LineEnd end = LineEnd::None;
  int fieldCount = 0;      // fields closed by "}" on the line, at most 7
  bool textAfter = false;  // something follows the seventh "}"
};

// The seven fields of a record, as views into the bytes of the file.
struct Fields {
  std::string_view lineNumber, maleText, femaleText, intCheck, conditionFlags, jumpLine,
      executionFlags;
};

struct Record {
  int line = 0;  // the file line it stands on
  Fields fields;
  bool npc = false;
};

enum class TargetKind { None, End, Missing, Record };

struct Target {
  TargetKind kind = TargetKind::None;
  // Record: the one found. Missing: the record that has the number although the lookup never
  // gets to it, or -1 when no record has it.
  int record = -1;
};

struct Conversation {
  std::vector<FileLine> lines;
  std::vector<Record> records;
  // Per record, in the same order:
  std::vector<int> group;       // the NPC line a record belongs to (itself for one), -1 before any
  std::vector<int> replyCount;  // replies after an NPC line, up to the next one
  std::vector<Target> target;   // where a reply leads; None for NPC lines
  std::vector<int> foundBy;     // the record a lookup of this record's own number stops at
  std::vector<bool> reachable;  // from the first record, by replies and jumps
};

// The records view `bytes`, which must outlive the conversation. The lines and fields are those
// of the editor's field reader (ScanField), a line broken at CR LF, CR or LF, found 64 bytes at a
// time.
Conversation ReadConversation(std::string_view bytes);
Conversation ReadConversation(std::string&& bytes) = delete;  // would leave the views dangling

}  // namespace dlg
