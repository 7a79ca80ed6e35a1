#pragma once
// Room for a whole file in a string that a command reads into again and again. A working copy
// of a million records is 125 MB: its first touch, page by page, costs more than reading it, so
// the room is asked for in huge pages where the system gives them on request, and is kept (the
// string is cleared, never shrunk) for the next command.

#include <cstddef>
#include <string>
#include <string_view>

namespace dlg {

// Empties `bytes` and makes room for at least `size` of them.
void ReserveForFile(std::string& bytes, std::size_t size);

// About how many lines `bytes` holds, from the lines in its first part: enough to make room for
// a list of their numbers at once.
std::size_t EstimateLines(std::string_view bytes);

}  // namespace dlg
