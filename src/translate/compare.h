#pragma once
// A translated file against the file it was translated from: a translation replaces wordings
// only, so every record keeps its number, its check, its flags and its jump, and none is missing
// or added.

#include <string>
#include <string_view>
#include <vector>

#include "dialogue/conversation.h"

namespace dlg::translate {

struct Difference {
  int line = 0;  // in the translated file
  std::string message;
  int record = -1;  // the translated file's record it is about, -1 for a missing one
};

// Records are matched by their keys (number and occurrence); a record whose number was
// mistyped is matched by its place. `sourceName` is how messages name the source file. In line
// order.
std::vector<Difference> CompareRecords(const Conversation& source, std::string_view sourceName,
                                       const Conversation& file);

}  // namespace dlg::translate
