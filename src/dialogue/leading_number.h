#pragma once
// The numeric value of a line number, read the way the BASIC Val function reads the start of a
// text: blanks (space, tab, LF) are skipped anywhere inside the number, then an optional sign,
// digits and an optional decimal fraction; reading stops at the first byte that cannot continue
// the number. No exponent and no &H/&O prefix. Values are kept as exact decimal digits, so any
// listed number compares correctly, however long it is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dlg {

struct LeadingNumber {
  bool negative = false;  // never set for zero
  std::string whole;      // digits before the point, without leading zeros
  std::string fraction;   // digits after the point, without trailing zeros
  bool operator==(const LeadingNumber&) const = default;
};

// Nothing when the text does not begin with a number ("abc", "-", ".").
std::optional<LeadingNumber> ParseLeadingNumber(std::string_view text);

// The value of a text, 0 when it does not begin with a number.
LeadingNumber ValueOf(std::string_view text);

// The nearest whole number, a half going to the even neighbour; nothing outside 64 bits.
std::optional<std::int64_t> RoundHalfEven(const LeadingNumber& n);

// The value of a whole number.
LeadingNumber WholeValue(std::int64_t n);

// Below zero, zero or above zero as `a` is below, equal to or above `b`.
int Compare(const LeadingNumber& a, const LeadingNumber& b);

}  // namespace dlg
