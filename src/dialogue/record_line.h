#pragma once
// One line of the working copy read as a record, within the line: each field an opener (any
// byte; a "}" opener is an empty field of its own) and its text up to the next "}", as the list
// of responses reads a record. Delete and Renumber find records, their numbers and their jumps
// by it, never across a line's end, so they change only lines that the rewrite would carry or
// replace whole.

#include <optional>
#include <string_view>

namespace dlg {

// The line number, as a rewrite of that number would match it (HoldsRecord): the first field's
// text up to its "}" or the end of the line. Empty when the line is, or opens with "}".
std::string_view LineNumberOf(std::string_view content);

// Whether the line's number is `wanted` (not empty, no "}"), as a rewrite matches it: only the
// bytes that `wanted` would take are looked at.
inline bool LineNumberIs(std::string_view content, std::string_view wanted) {
  const std::size_t n = wanted.size();
  return content.size() > n && content[0] != '}' &&
         (content.size() == n + 1 || content[n + 1] == '}') && content.compare(1, n, wanted) == 0;
}

// The field at `index` (0 to 6) when the line closes it; nothing otherwise. The view lies inside
// `content`.
std::optional<std::string_view> FieldOf(std::string_view content, int index);

// The "Jump to Line:" field, the sixth.
inline std::optional<std::string_view> JumpOf(std::string_view content) {
  return FieldOf(content, 5);
}

}  // namespace dlg
