#pragma once
// The scan of a line lookup over the bytes of the working copy: from its first character to the
// first record whose line number begins with the wanted one, reading only the line numbers.

#include <cstddef>
#include <string_view>

namespace dlg {

// Where the scan gave up; each message set words these differently.
enum class Miss {
  None,            // found: the record's line number is exactly the target
  EndAfterOpener,  // the working copy ended right after its first character
  EndInNumber,     // it ended while a line number was being read
  EndAfterRecord,  // it ended right after a skipped record (Respond only)
  LongerNumber,    // the first number that begins with the target is longer
};

struct FindOutcome {
  Miss miss = Miss::None;
  // Found: just after the "}" that closes the record's line number, where ShowLine reads on.
  // Otherwise where the scan stopped.
  std::size_t position = 0;
};

// `target` is not empty. Respond makes its own tests for the end of the file (`respond`).
// A blank line where a record should begin is passed over, as the response list does.
FindOutcome FindRecord(std::string_view bytes, std::string_view target, bool respond);

}  // namespace dlg
