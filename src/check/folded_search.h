#pragma once
// Where a text may stand in a longer one, letter case ignored: the places where the first and
// the last byte both fold like the text's, found 16 or 32 bytes at a time. Few places pass both,
// so checking each one whole costs little.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dlg::check {

// Windows-1252 letters folded to their small form; every other byte as it is.
extern const std::array<unsigned char, 256> kFoldCase;

// The bytes that fold like a needle's first and last (one or two each, the one repeated), and how
// far the last stands from the first.
struct FoldedEnds {
  unsigned char first0, first1, last0, last1;
  std::size_t lastAt;
};

class FoldedSearch {
 public:
  // `needle` must not be empty. `kernel` picks one of Kernels(), the widest by default; all
  // find the same places, and the tests run each.
  explicit FoldedSearch(std::string_view needle, std::size_t kernel = 0);
  static const std::vector<const char*>& Kernels();

  // The first place at or after `from` where the needle stands in `text`, or npos.
  std::size_t Next(std::string_view text, std::size_t from) const;

  std::size_t Size() const { return folded_.size(); }

 private:
  // The first place at or after `from` whose first and last bytes fold like the needle's.
  std::size_t Candidate(std::string_view text, std::size_t from) const;
  [[gnu::always_inline]] bool MatchesAt(std::string_view text, std::size_t at) const;

  // The kernel, chosen once: a search of a text found in every record asks it once a record.
  std::size_t (*candidate_)(const unsigned char*, std::size_t, std::size_t, const FoldedEnds&);
  std::string folded_;
  FoldedEnds ends_;
  // A needle of up to 16 bytes is compared at once: the two bytes that fold like each of its
  // bytes (the one repeated when only one does), a find in every record asking once a record.
  std::array<unsigned char, 16> either0_{}, either1_{};
};

}  // namespace dlg::check
