#include "dialogue/leading_number.h"

#include <limits>

namespace dlg {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Appends the digits that follow `i`, skipping blanks among them. Runs of digits go in whole:
// "Save New Line" reads every listed number.
void TakeDigits(std::string_view text, std::size_t& i, std::string& digits) {
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t run = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == run) return;
    digits.append(text.substr(run, i - run));
  }
}

int CompareMagnitude(const LeadingNumber& a, const LeadingNumber& b) {
  if (a.whole.size() != b.whole.size()) return a.whole.size() < b.whole.size() ? -1 : 1;
  if (int c = a.whole.compare(b.whole); c != 0) return c;
  // Without trailing zeros, the order of the fraction digits is the order of the values.
  return a.fraction.compare(b.fraction);
}

}  // namespace

std::optional<LeadingNumber> ParseLeadingNumber(std::string_view text) {
  LeadingNumber n;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) n.negative = text[i++] == '-';
  TakeDigits(text, i, n.whole);
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && text[i] == '.') TakeDigits(text, ++i, n.fraction);
  if (n.whole.empty() && n.fraction.empty()) return std::nullopt;

  const std::size_t firstSignificant = n.whole.find_first_not_of('0');
  n.whole.erase(0, firstSignificant == std::string::npos ? n.whole.size() : firstSignificant);
  n.fraction.erase(n.fraction.find_last_not_of('0') + 1);
  if (n.whole.empty() && n.fraction.empty()) n.negative = false;
  return n;
}

LeadingNumber ValueOf(std::string_view text) {
  return ParseLeadingNumber(text).value_or(LeadingNumber{});
}

std::optional<std::int64_t> RoundHalfEven(const LeadingNumber& n) {
  constexpr std::uint64_t kMaxMagnitude =
      static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;
  std::uint64_t magnitude = 0;
  for (char d : n.whole) {
    const auto digit = static_cast<std::uint64_t>(d - '0');
    if (magnitude > (kMaxMagnitude - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  bool up = false;
  if (!n.fraction.empty()) {
    const char first = n.fraction.front();
    const bool half = first == '5' && n.fraction.size() == 1;
    up = first > '5' || (first == '5' && !half) || (half && magnitude % 2 == 1);
  }
  if (up) {
    if (magnitude == kMaxMagnitude) return std::nullopt;
    ++magnitude;
  }
  if (n.negative) {
    if (magnitude == kMaxMagnitude) return std::numeric_limits<std::int64_t>::min();
    return -static_cast<std::int64_t>(magnitude);
  }
  if (magnitude == kMaxMagnitude) return std::nullopt;
  return static_cast<std::int64_t>(magnitude);
}

LeadingNumber WholeValue(std::int64_t n) {
  LeadingNumber v;
  v.negative = n < 0;
  const std::uint64_t magnitude =
      n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : static_cast<std::uint64_t>(n);
  if (magnitude != 0) v.whole = std::to_string(magnitude);
  return v;
}

int Compare(const LeadingNumber& a, const LeadingNumber& b) {
  if (a.negative != b.negative) return a.negative ? -1 : 1;
  const int c = CompareMagnitude(a, b);
  return a.negative ? -c : c;
}

}  // namespace dlg
