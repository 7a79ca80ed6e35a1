#pragma once
// The rules of numbers in records: what the lookup, the checks and their messages ask of a line
// number, a jump or a value.

#include <algorithm>
#include <string_view>

namespace dlg {

// Plain decimal digits, at least one.
inline bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char ch : s) {
    if (static_cast<unsigned char>(ch - '0') > 9) return false;
  }
  return true;
}

// Why a number is not one the editor's text comparison treats as a number, or "". `digits`:
// whether it is plain decimal digits, when the caller knows already.
inline std::string_view NumberFault(std::string_view n, bool digits) {
  if (!digits) return "is not plain decimal digits";
  if (n.size() > 1 && n.front() == '0') return "has a leading zero";
  return "";
}
inline std::string_view NumberFault(std::string_view n) { return NumberFault(n, IsDigits(n)); }

// A whole number as the lookup tells numbers apart, by their text: "015" would be another number
// than 15 to every jump.
inline bool IsPlainNumber(std::string_view n) { return NumberFault(n).empty(); }

// A jump to "0" ends the conversation, so no line may take that number.
inline bool IsEndJump(std::string_view jump) { return jump.size() == 1 && jump[0] == '0'; }

// Compares plain-digit numbers (at least one digit each) by value: -1, 0 or 1.
inline int CompareValues(std::string_view a, std::string_view b) {
  // Without a leading zero, as nearly every number: the longer is the larger, and of two as long
  // the first digit that differs tells.
  if (a[0] != '0' && b[0] != '0') {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
  }
  a.remove_prefix(std::min(a.find_first_not_of('0'), a.size()));
  b.remove_prefix(std::min(b.find_first_not_of('0'), b.size()));
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const int cmp = a.compare(b);
  return (cmp > 0) - (cmp < 0);
}

inline bool IsWholeNumber(std::string_view s) {
  if (!s.empty() && s.front() == '-') s.remove_prefix(1);
  return IsDigits(s);
}

}  // namespace dlg
