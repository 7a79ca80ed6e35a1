#pragma once
// Answers the editor's lookup question for every number at once: which record does a scan from
// the top stop at? The scan stops at the first record whose number begins with the wanted text,
// so the index keeps, for every prefix of every number, the first record that has it. Building
// and asking both cost the length of the text, whatever the numbers hold.
//
// Numbers are nearly always plain decimal ("1" to a few hundred thousand). A plain prefix is
// known by its value, whose digits it is: those are kept in a table indexed by value, and only
// the rest (a leading zero, a byte that is no digit, a value beyond the table) in a tree of
// bytes, which hangs below the longest plain prefix of what it holds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dlg {

class NumberIndex {
 public:
  // `text`: the bytes of the file, which the numbers handed in are views into. Values up to an
  // eighth of its size are kept by value, so the table never outgrows the file.
  explicit NumberIndex(std::string_view text);

  // Records must be added in file order. Returns the first record whose number begins with
  // `number`, which is `record` itself unless an earlier one does. `plain`: whether the number
  // is a plain one kept by value (false may be either), and then `value` is its value.
  int Add(std::string_view number, int record, bool& plain, std::uint64_t& value) {
    if (empty_.first == -1) empty_.first = record;
    plain = PlainValue(number, value) && value < byValue_.size();
    if (!plain) return AddOther(number, record);
    // The common plain number: its own entry first, its shorter prefixes only when it is new.
    Entry& e = byValue_[value];
    if (e.first == -1) {  // and so no exact one either
      e = {record, record};
      if (byValue_[value / 10].first == -1) PassThrough(value / 10, record);
      return record;
    }
    if (e.exact == -1) e.exact = record;
    return e.first;
  }

  // The place of `wanted` in the index, made now if no number has reached it yet, to be asked
  // with At once every number is in. A reply's jump is marked while its bytes are at hand.
  int Mark(std::string_view wanted, bool& plain) {
    std::uint64_t value;
    plain = PlainValue(wanted, value) && value < byValue_.size();
    if (plain) return static_cast<int>(value);
    return MarkOther(wanted);
  }

  struct Found {
    int first = -1;  // the first record whose number begins with the wanted text, or -1
    int exact = -1;  // the first record whose number is the wanted text, or -1
  };
  // Asked once a reply after the read: inline, a place by value read straight from the table.
  Found At(int place) const {
    const Entry& e = place >= 0 ? byValue_[static_cast<std::size_t>(place)] : OtherEntry(place);
    return {e.first, e.exact};
  }

 private:
  struct Entry {
    int first = -1;  // the first record whose number begins here (-1: only marks got here)
    int exact = -1;  // the first record whose number ends here
  };
  // A prefix in the tree; a child under a digit is found by one index, under any other byte
  // through a short list.
  struct Node {
    Entry entry;
    std::array<int, 10> digits{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int others = -1;  // its first edge in others_
  };
  struct Edge {
    int node;
    int next;  // the next edge of the same parent, or -1
    unsigned char byte;
  };

  // Add and Mark are called for every record of a file on every read of it (views_bench,
  // BM_ReadConversation): the plain number whose entry the table has room for is handled inline,
  // anything else by these.
  int AddOther(std::string_view number, int record);
  const Entry& OtherEntry(int place) const;
  int MarkOther(std::string_view wanted);
  // Whether `text` is a plain number kept by value, and its value.
  bool PlainValue(std::string_view text, std::uint64_t& value) const {
    // Nine digits at most: the largest value kept has no more.
    if (text.empty() || text.size() > 9 || text[0] == '0') return false;
    std::uint64_t v = 0;
    if (text.size() <= 8 && end_ - text.data() >= 8) [[likely]] {
      if (!EightDigits(text.data(), text.size(), v)) return false;
    } else {
      for (const char ch : text) {
        const unsigned digit = static_cast<unsigned char>(ch) - unsigned{'0'};
        if (digit >= 10) return false;
        v = v * 10 + digit;
      }
    }
    value = v;
    return v <= mostValue_;
  }
  // The first `n` bytes at `p` (1 to 8, and 8 bytes readable there) as a decimal value, all at
  // once in one 64-bit word: the loop a digit at a time cost more than the table it leads to.
  static bool EightDigits(const char* p, std::size_t n, std::uint64_t& value) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    // Each byte its digit, the first one lowest; shifted up so that the bytes past the text
    // drop out and leading zeros fill in below.
    std::uint64_t x = (word ^ 0x3030303030303030) << (8 * (8 - n));
    // A byte above 9 reaches its top bit when 0x76 is added; no carry crosses a byte below 0x80.
    if (((x | (x + 0x7676767676767676)) & 0x8080808080808080) != 0) return false;
    // Each step joins neighbours, the lower (the earlier, larger digits) times the base.
    x = ((x * (1 + (10 << 8))) >> 8) & 0x00FF00FF00FF00FF;     // two digits a 16-bit lane
    x = ((x * (1 + (100 << 16))) >> 16) & 0x0000FFFF0000FFFF;  // four a 32-bit lane
    value = (x * (1 + (std::uint64_t{10000} << 32))) >> 32;    // eight
    return true;
  }
  // The length and value of the longest plain prefix of `text`.
  std::size_t PlainPrefix(std::string_view text, std::uint64_t& value) const;
  Entry& ByValue(std::uint64_t value);
  [[gnu::noinline]] void Grow(std::uint64_t value);
  // Sets `record` as the first of the plain prefixes of `value` that have none, longest first.
  void PassThrough(std::uint64_t value, int record);
  // The tree node of `text`, whose first `plain` bytes are the plain prefix of `value`, made
  // with the nodes on its way if missing; `record` (-1: a mark) becomes the first of each node
  // on the way that has none.
  int TreeNode(std::string_view text, std::size_t plain, std::uint64_t value, int record);
  int Child(int node, unsigned char byte, int record);

  const char* end_;             // of the file's bytes
  std::uint64_t mostValue_;     // the largest value kept by value
  Entry empty_;                 // "", the beginning of every number
  std::vector<Entry> byValue_;  // grown as larger values come
  std::vector<Node> nodes_;     // the tree
  std::vector<Edge> others_;
  std::unordered_map<std::uint64_t, int> below_;  // a plain prefix's node in the tree, by value
};

}  // namespace dlg
